// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

#include <functional>

class MpvPlayer;
class QWidget;

/*!
    The widget that shows an MpvPlayer's video through libmpv's render API:
    OpenGL into a native child window where the platform gives a context, libmpv's
    software renderer into a QImage otherwise (the offscreen platform, a
    machine without OpenGL). GUI thread only; destroy it before its player.
*/
class VideoOutput
{
public:
    virtual ~VideoOutput() = default;
    virtual QWidget *widget() = 0;
    //! Frames libmpv has drawn here so far.
    virtual quint64 framesShown() const = 0;
    //! "OpenGL" or "software".
    virtual QString kind() const = 0;
    //! Calls \a then once, on the GUI thread, after the widget's next picture
    //! has gone to the screen; asks for no picture itself.
    virtual void whenPresented(std::function<void()> then) = 0;

    //! Chooses the renderer once per process ($ZENTRIX_PLAYER_VIDEO=software or
    //! opengl overrides the choice) and says which in "zentrix.player".
    static VideoOutput *create(MpvPlayer *player, QWidget *parent);
};
