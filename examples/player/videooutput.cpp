// SPDX-License-Identifier: LGPL-2.1-or-later
#include "videooutput.h"

#include "mpvplayer.h"
#include "playerlogging.h"

#include <QGuiApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <QWidget>

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

class OpenGLVideo : public QOpenGLWidget, public VideoOutput
{
    Q_OBJECT

public:
    OpenGLVideo(MpvPlayer *player, QWidget *parent)
        : QOpenGLWidget(parent)
        , m_player(player)
    {
        m_relay.target = this;
        m_relay.slot = "onUpdate";
        // Drawn into the widget's framebuffer is not yet shown: the window's
        // composition and swap come after.
        connect(this, &QOpenGLWidget::frameSwapped, this, [this] {
            if (m_frameDrawn && !m_saidShown) {
                m_saidShown = true;
                sayFirstFrameShown(this);
            }
            callAll(m_presented);
        });
    }
    ~OpenGLVideo() override
    {
        if (m_context) {
            makeCurrent();
            mpv_render_context_free(m_context);
            doneCurrent();
        }
    }

    QWidget *widget() override { return this; }
    quint64 framesShown() const override { return m_frames; }
    QString kind() const override { return QStringLiteral("OpenGL"); }
    void whenPresented(std::function<void()> then) override
    {
        m_presented.push_back(std::move(then));
    }

protected:
    void initializeGL() override
    {
        if (m_context || !m_player || !m_player->handle())
            return;
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
        if (mpv_render_context_create(&m_context, m_player->handle(), params) < 0) {
            qCWarning(lcPlayer) << "libmpv cannot render with this OpenGL context";
            m_context = nullptr;
            return;
        }
        mpv_render_context_set_update_callback(m_context, &UpdateRelay::callback, &m_relay);
        m_player->setVideoOutputReady();
    }
    void paintGL() override
    {
        if (!m_context)
            return;
        const qreal ratio = devicePixelRatioF();
        mpv_opengl_fbo fbo {int(defaultFramebufferObject()), int(width() * ratio),
                            int(height() * ratio), 0};
        int flip = 1;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                     {MPV_RENDER_PARAM_FLIP_Y, &flip},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_render(m_context, params);
        m_frameDrawn = m_frames > 0;
    }

private:
    Q_INVOKABLE void onUpdate()
    {
        m_relay.pending.store(false);
        if (!m_context)
            return;
        makeCurrent();
        const uint64_t flags = mpv_render_context_update(m_context);
        doneCurrent();
        if (flags & MPV_RENDER_UPDATE_FRAME) {
            ++m_frames;
            update();
        }
    }

    QPointer<MpvPlayer> m_player;
    mpv_render_context *m_context = nullptr;
    UpdateRelay m_relay;
    quint64 m_frames = 0;
    bool m_frameDrawn = false;
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
