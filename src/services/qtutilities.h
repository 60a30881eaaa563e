// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QObject>

class QAbstractButton;
class QLabel;
class QWidget;

namespace Quorvex {

/*!
    Helpers for skinned widgets: fitting a label's or button's text into its width
    by lowering the font size one step at a time, and reserving a minimum size in a
    grid layout.

    The fitting operations measure the widget's whole text against its width less
    the two margins, and stop as soon as it fits or the size reaches the minimum
    (never below 1). A text that already fits leaves the font alone.

    GUI thread only.
*/
class MAVLIBRARY_EXPORT QtUtilities : public QObject
{
    Q_OBJECT

public:
    QtUtilities() = delete;

    //! Raises the label's font to \a startPointSize first if it is smaller.
    static void sizeQLabelFontSizeToFitText(QLabel *label, int leftMargin, int rightMargin,
                                            int startPointSize, int minimumPointSize);
    static void shrinkQLabelFontSizeToFitText(QLabel *label, int leftMargin, int rightMargin,
                                              int minimumPointSize);
    //! Shrinks in points or, for a font set in pixels, in pixels.
    static void shrinkQAbstractButtonFontSizeToFitText(QAbstractButton *button, int leftMargin,
                                                       int rightMargin, int minimumPointSize,
                                                       int minimumPixelSize);
    //! Adds a spacer of the given size in a new row below a grid layout's last one,
    //! across every column. Widgets without a grid layout are left alone.
    static void ensureMinimumSizeOfWidget(QWidget *widget, int width, int height);
};

} // namespace Quorvex
