// SPDX-License-Identifier: LGPL-2.1-or-later
#include "videooutput.h"

#include "mpvplayer.h"
#include "playerlogging.h"

#include <QGuiApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <mpv/render.h>
#include <mpv/render_gl.h>

#include <atomic>
#include <utility>
#include <vector>

namespace {

// The render context's update callback runs on libmpv's threads, where no
// libmpv call may be made: it only queues \a slot, at most once at a time.
struct UpdateRelay
{
    QObject *target = nullptr;
    const char *slot = nullptr;
    std::atomic<bool> pending {false};

    static void callback(void *self)
    {
        auto *relay = static_cast<UpdateRelay *>(self);
        if (!relay->pending.exchange(true))
            QMetaObject::invokeMethod(relay->target, relay->slot, Qt::QueuedConnection);
    }
};

void callAll(std::vector<std::function<void()>> &callbacks)
{
    for (const std::function<void()> &callback : std::exchange(callbacks, {}))
        callback();
}

// For the benchmarks: once the first frame is on the screen, and at what size.
void sayFirstFrameShown(const QWidget *widget)
{
    const QSize size = widget->size() * widget->devicePixelRatioF();
    qCInfo(lcPlayer, "first frame shown in a %dx%d area", size.width(), size.height());
}

class SoftwareVideo : public QWidget, public VideoOutput
{
    Q_OBJECT

public:
    SoftwareVideo(MpvPlayer *player, QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        m_relay.target = this;
        m_relay.slot = "onUpdate";
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_SW)},
            {MPV_RENDER_PARAM_INVALID, nullptr}};
        if (player->handle()
            && mpv_render_context_create(&m_context, player->handle(), params) >= 0) {
            mpv_render_context_set_update_callback(m_context, &UpdateRelay::callback, &m_relay);
            player->setVideoOutputReady();
        }
    }
    ~SoftwareVideo() override
    {
        if (m_context)
            mpv_render_context_free(m_context);
    }

    QWidget *widget() override { return this; }
    quint64 framesShown() const override { return m_frames; }
    QString kind() const override { return QStringLiteral("software"); }
    void whenPresented(std::function<void()> then) override
    {
        m_presented.push_back(std::move(then));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (m_image.isNull())
            painter.fillRect(rect(), Qt::black);
        else
            painter.drawImage(rect(), m_image);
        // The window's buffer goes to the screen as this returns.
        if (m_frames > 0 && !m_saidShown) {
            m_saidShown = true;
            sayFirstFrameShown(this);
        }
        if (!m_presented.empty())
            QTimer::singleShot(0, this, [this] { callAll(m_presented); });
    }
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        render();
    }

private:
    Q_INVOKABLE void onUpdate()
    {
        m_relay.pending.store(false);
        if (m_context && (mpv_render_context_update(m_context) & MPV_RENDER_UPDATE_FRAME)) {
            ++m_frames;
            render();
        }
    }

    void render()
    {
        const QSize size = this->size() * devicePixelRatioF();
        if (!m_context || size.isEmpty())
            return;
        if (m_image.size() != size) {
            m_image = QImage(size, QImage::Format_RGB32);
            m_image.fill(Qt::black);
        }
        int renderSize[2] = {size.width(), size.height()};
        size_t stride = size_t(m_image.bytesPerLine());
        // Format_RGB32 is 0xffRRGGBB in native (little-endian) order: B, G, R, X.
        char format[] = "bgr0";
        mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, renderSize},
                                     {MPV_RENDER_PARAM_SW_FORMAT, format},
                                     {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                     {MPV_RENDER_PARAM_SW_POINTER, m_image.bits()},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_render(m_context, params);
        update();
    }

    mpv_render_context *m_context = nullptr;
    UpdateRelay m_relay;
    QImage m_image;
    quint64 m_frames = 0;
    bool m_saidShown = false;
    std::vector<std::function<void()>> m_presented;
};

// libmpv draws straight into a native child window. A QOpenGLWidget would have
// Qt compose the whole top-level window through OpenGL at every frame: on a
// software OpenGL a third more CPU time for playback, and half a second more
// before the first frame.
class VideoWindow : public QWindow
{
public:
    explicit VideoWindow(std::function<void()> redraw)
        : m_redraw(std::move(redraw))
    {
        setSurfaceType(QSurface::OpenGLSurface);
        // The mouse, the keys and drops stay with the widgets: the shell's
        // double-click, shortcuts and drop all work over the video too.
        setFlag(Qt::WindowTransparentForInput);
    }

protected:
    void exposeEvent(QExposeEvent *) override { m_redraw(); }
    void resizeEvent(QResizeEvent *) override { m_redraw(); }

private:
    std::function<void()> m_redraw;
};

class OpenGLVideo : public QWidget, public VideoOutput
{
    Q_OBJECT

public:
    OpenGLVideo(MpvPlayer *player, QWidget *parent)
        : QWidget(parent)
        , m_window(new VideoWindow([this] { render(); }))
        , m_player(player)
    {
        m_relay.target = this;
        m_relay.slot = "onUpdate";
        QWidget *container = QWidget::createWindowContainer(m_window, this);
        // A container takes drops and focus for its window by default.
        container->setAcceptDrops(false);
        container->setFocusPolicy(Qt::NoFocus);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(container);
        // Set up now, not at the first exposure: the file waits for it, and
        // the window is hidden while the shell shows a message instead.
        m_window->create();
        // Without libmpv the shell says why nothing can be played.
        if (!player->handle())
            return;
        m_gl.setFormat(m_window->requestedFormat());
        QOffscreenSurface surface;
        surface.setFormat(m_gl.format());
        surface.create();
        if (!m_gl.create() || !m_gl.makeCurrent(&surface)) {
            qCWarning(lcPlayer) << "no OpenGL context for the video";
            return;
        }
        mpv_opengl_init_params gl {[](void *, const char *name) -> void * {
                                       QOpenGLContext *context = QOpenGLContext::currentContext();
                                       return context
                                           ? reinterpret_cast<void *>(context->getProcAddress(name))
                                           : nullptr;
                                   },
                                   nullptr};
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
            {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
            {MPV_RENDER_PARAM_INVALID, nullptr}};
        if (mpv_render_context_create(&m_context, player->handle(), params) < 0) {
            qCWarning(lcPlayer) << "libmpv cannot render with this OpenGL context";
            m_context = nullptr;
        }
        m_gl.doneCurrent();
        if (!m_context)
            return;
        mpv_render_context_set_update_callback(m_context, &UpdateRelay::callback, &m_relay);
        player->setHoldFirstFrame(true);
        player->setVideoOutputReady();
    }
    ~OpenGLVideo() override
    {
        if (!m_context)
            return;
        QOffscreenSurface surface;
        surface.setFormat(m_gl.format());
        surface.create();
        m_gl.makeCurrent(&surface);
        mpv_render_context_free(m_context);
        m_gl.doneCurrent();
    }

    QWidget *widget() override { return this; }
    quint64 framesShown() const override { return m_frames; }
    QString kind() const override { return QStringLiteral("OpenGL"); }
    void whenPresented(std::function<void()> then) override
    {
        m_presented.push_back(std::move(then));
        // Nothing else may come to the window soon: its current picture counts.
        QMetaObject::invokeMethod(this, [this] { render(); }, Qt::QueuedConnection);
    }

private:
    Q_INVOKABLE void onUpdate()
    {
        m_relay.pending.store(false);
        if (m_context && (mpv_render_context_update(m_context) & MPV_RENDER_UPDATE_FRAME)) {
            ++m_frames;
            if (render())
                m_player->framePresented();
        }
    }

    bool render()
    {
        // libmpv's output waits a moment for a frame it is not asked to draw,
        // then goes on: a hidden window only skips frames.
        if (!m_context || !m_window->isExposed() || !m_gl.makeCurrent(m_window))
            return false;
        const qreal ratio = m_window->devicePixelRatio();
        mpv_opengl_fbo fbo {int(m_gl.defaultFramebufferObject()), int(m_window->width() * ratio),
                            int(m_window->height() * ratio), 0};
        int flip = 1;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                     {MPV_RENDER_PARAM_FLIP_Y, &flip},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_render(m_context, params);
        m_gl.swapBuffers(m_window);
        mpv_render_context_report_swap(m_context);
        if (m_frames > 0 && !m_saidShown) {
            m_saidShown = true;
            sayFirstFrameShown(this);
        }
        callAll(m_presented);
        return true;
    }

    VideoWindow *m_window;
    MpvPlayer *m_player;
    QOpenGLContext m_gl;
    mpv_render_context *m_context = nullptr;
    UpdateRelay m_relay;
    quint64 m_frames = 0;
    bool m_saidShown = false;
    std::vector<std::function<void()>> m_presented;
};

// The offscreen and minimal platforms show no GL surface; elsewhere a context
// that can be made current is the proof.
bool openGLWorks()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
    QOpenGLContext context;
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.create();
    if (!context.makeCurrent(&surface))
        return false;
    context.doneCurrent();
    return true;
}

} // namespace

VideoOutput *VideoOutput::create(MpvPlayer *player, QWidget *parent)
{
    static const bool useOpenGL = [] {
        const QByteArray forced = qgetenv("ZENTRIX_PLAYER_VIDEO");
        const bool available = forced.isEmpty() ? openGLWorks() : forced == "opengl";
        qCInfo(lcPlayer, "video output: %s on the %s platform%s",
               available ? "OpenGL" : "libmpv's software renderer",
               qPrintable(QGuiApplication::platformName()),
               forced.isEmpty() ? "" : " (set by ZENTRIX_PLAYER_VIDEO)");
        return available;
    }();
    if (useOpenGL)
        return new OpenGLVideo(player, parent);
    return new SoftwareVideo(player, parent);
}

#include "videooutput.moc"
