#include "qt/window_alpha.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace gd {

namespace {

// Painted last, over everything in the window: multiplies what lies beneath by alpha / 255.
// Every repaint of the translucent window starts from transparent pixels and paints the whole
// damaged area again, this included, so the scaling never compounds.
class AlphaOverlay : public QWidget {
    Q_OBJECT

public:
    explicit AlphaOverlay(QWidget* window)
        : QWidget(window)
    {
        setObjectName(QStringLiteral("windowAlpha"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(window->rect());
        raise();
    }

    void setAlpha(int alpha)
    {
        if (alpha == m_alpha && isVisible())
            return;
        m_alpha = alpha;
        show();
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.fillRect(event->rect(), QColor(0, 0, 0, m_alpha));
    }

private:
    int m_alpha = 255;
};

} // namespace

bool platformHasWindowOpacity()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void showWindowAlpha(QWidget* window, int alpha)
{
    auto* overlay = static_cast<AlphaOverlay*>(
        window->findChild<QWidget*>(QStringLiteral("windowAlpha"), Qt::FindDirectChildrenOnly));
    if (alpha >= 250) {
        delete overlay; // the window repaints what it covered, opaque
        return;
    }
    if (!overlay)
        overlay = new AlphaOverlay(window);
    overlay->setAlpha(alpha < 0 ? 0 : alpha);
}

} // namespace gd

#include "window_alpha.moc"
