#include "qt/views.h"

#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextOption>

#include <cmath>
#include <iterator>

namespace gd {

QRect Scale::rect(double left, double top, double width, double height) const
{
    // Both edges are rounded, so neighbours that touch in twips touch in pixels.
    const int x1 = static_cast<int>(std::lround(left / tppX));
    const int y1 = static_cast<int>(std::lround(top / tppY));
    const int x2 = static_cast<int>(std::lround((left + width) / tppX));
    const int y2 = static_cast<int>(std::lround((top + height) / tppY));
    return QRect(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1));
}

// The window's system colours and everything Qt draws in it (button text, frames, scroll bars,
// the selection) come from one fixed palette: Qt's own, the one a desktop without a platform
// theme shows. The description fixes half of the window's colours itself (the dark form, the
// silver card and buttons, the red headings); a desktop's dark palette would change the other
// half and pair near-white text with the silver. Windows of the desktop's own (message boxes,
// menus, tool tips) keep the desktop's palette: they have no fixed colours to clash with.
const QPalette& designedPalette()
{
    static const QPalette palette = [] {
        struct Entry {
            QPalette::ColorRole role;
            QRgb enabled, disabled; // active and inactive are the same
        };
        // clang-format off
        static const Entry entries[] = {
            // role                        enabled   disabled
            { QPalette::WindowText,       0x000000, 0xbebebe },
            { QPalette::Button,           0xefefef, 0xefefef },
            { QPalette::Light,            0xffffff, 0xffffff },
            { QPalette::Midlight,         0xcacaca, 0xcacaca },
            { QPalette::Dark,             0x9f9f9f, 0xbebebe },
            { QPalette::Mid,              0xb8b8b8, 0xb8b8b8 },
            { QPalette::Text,             0x000000, 0xbebebe },
            { QPalette::BrightText,       0xffffff, 0xffffff },
            { QPalette::ButtonText,       0x000000, 0xbebebe },
            { QPalette::Base,             0xffffff, 0xefefef },
            { QPalette::Window,           0xefefef, 0xefefef },
            { QPalette::Shadow,           0x767676, 0xb1b1b1 },
            { QPalette::Highlight,        0x308cc6, 0x919191 },
            { QPalette::HighlightedText,  0xffffff, 0xffffff },
            { QPalette::Link,             0x0000ff, 0x0000ff },
            { QPalette::LinkVisited,      0xff00ff, 0xff00ff },
            { QPalette::AlternateBase,    0xf7f7f7, 0xf7f7f7 },
            { QPalette::NoRole,           0x000000, 0x000000 },
            { QPalette::ToolTipBase,      0xffffdc, 0xffffdc },
            { QPalette::ToolTipText,      0x000000, 0x000000 },
        };
        // clang-format on
        static_assert(std::size(entries) == QPalette::NColorRoles - 1); // all but PlaceholderText
        // Every role of every group is set, so a change of the desktop's palette while the
        // program runs changes nothing in the window either.
        QPalette p;
        for (const Entry& e : entries) {
            p.setColor(QPalette::Active, e.role, QColor::fromRgb(e.enabled));
            p.setColor(QPalette::Inactive, e.role, QColor::fromRgb(e.enabled));
            p.setColor(QPalette::Disabled, e.role, QColor::fromRgb(e.disabled));
        }
        p.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128)); // in every group
        return p;
    }();
    return palette;
}

QColor toQColor(Colour colour)
{
    if (colour & 0x80000000u) {
        const QPalette& palette = designedPalette();
        switch (colour & 0xFF) {
        case 0x05: return palette.color(QPalette::Base);
        case 0x08: return palette.color(QPalette::Text);
        case 0x0F: return palette.color(QPalette::Button);
        case 0x12: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QString assetPath(std::string_view file) { return QStringLiteral(":/assets/") + toQString(file); }

namespace {

// Points a reader at a compiled-in picture, in the format its name gives. Left to guess, Qt
// loads every image plugin it has (SVG and all) to ask each whether it knows the file, even a
// bitmap it reads itself: milliseconds before the first frame, for nothing.
void openAsset(QImageReader& reader, std::string_view file)
{
    const QString path = assetPath(file);
    reader.setFileName(path);
    reader.setFormat(path.section(QLatin1Char('.'), -1).toLatin1());
    reader.setAutoDetectImageFormat(false);
}

// An icon read from its file when it is first asked for. Under X11 it is, as the window is created,
// for the window manager; a platform that shows no window icons (offscreen) never asks, and there
// the file is never decoded at all.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(QString file)
        : m_file(std::move(file))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // Sizes asked for here are in device pixels already: the icon is not to scale them again.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return m_icon ? m_icon->isNull() : !QFile::exists(m_file); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon()
    {
        if (!m_icon)
            m_icon = QIcon(m_file);
        return *m_icon;
    }

    QString m_file;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon loadIcon(std::string_view file) { return QIcon(new DeferredIconEngine(assetPath(file))); }

const QPixmap& Picture::pixmap() const
{
    if (!m_pixmap) {
        m_pixmap.emplace();
        if (!m_file.empty()) {
            QImageReader reader;
            openAsset(reader, m_file);
            m_pixmap = QPixmap::fromImage(reader.read());
        }
    }
    return *m_pixmap;
}

QSize Picture::size() const
{
    if (!m_pixmap && !m_file.empty()) {
        QImageReader reader;
        openAsset(reader, m_file);
        const QSize size = reader.size();
        if (size.isValid())
            return size;
    }
    return pixmap().size();
}

QFont fontOf(const Control& control)
{
    QFont font(toQString(control.fontName()));
    font.setPointSizeF(control.fontSize());
    font.setBold(control.fontBold());
    return font;
}

QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

void ControlView::apply(Prop prop, const Scale& scale)
{
    QWidget* w = widget();
    switch (prop) {
    case Prop::Geometry:
        w->setGeometry(
            scale.rect(m_control.left(), m_control.top(), m_control.width(), m_control.height()));
        break;
    case Prop::Visible: w->setVisible(m_control.visible()); break;
    case Prop::Enabled: w->setEnabled(m_control.enabled()); break;
    case Prop::Font: w->setFont(fontOf(m_control)); break;
    default: break;
    }
}

namespace {

// Texts keep CR LF line breaks in the model; Qt widgets show and copy the platform's own.
QString displayText(const std::string& text)
{
    return toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void recolour(QWidget* w, QPalette::ColorRole textRole, Colour text, QPalette::ColorRole backRole,
    Colour back)
{
    QPalette pal = w->palette();
    pal.setColor(textRole, toQColor(text));
    pal.setColor(backRole, toQColor(back));
    w->setPalette(pal);
}

} // namespace

// ---- PictureBox -------------------------------------------------------------------------------

// The client area: children are placed in it and clipped by it, inside the border.
class PictureBoxView::Client : public QWidget {
public:
    Client(PictureBoxView* box)
        : QWidget(box)
        , m_box(box)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.fillRect(event->rect(), toQColor(m_box->control().backColor()));
        if (!m_box->m_surface.isNull())
            p.drawImage(0, 0, m_box->m_surface);
        else if (const QPixmap& picture = m_box->m_picture.pixmap(); !picture.isNull())
            p.drawPixmap(0, 0, picture);
    }

private:
    PictureBoxView* m_box;
};

PictureBoxView::PictureBoxView(Control& control, QWidget* parent)
    : QFrame(parent)
    , ControlView(control)
    , m_client(new Client(this))
    , m_picture(control.desc().picture)
{
    switch (control.desc().border) {
    case Border::Sunken:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
        break;
    case Border::Flat:
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        break;
    case Border::None: setFrameStyle(QFrame::NoFrame); break;
    }
    setAutoFillBackground(false);
}

QWidget* PictureBoxView::clientArea() { return m_client; }

void PictureBoxView::apply(Prop prop, const Scale& scale)
{
    ControlView::apply(prop, scale);
    if (prop == Prop::Geometry)
        m_client->setGeometry(contentsRect());
    else if (prop == Prop::Colours)
        m_client->update();
}

const QImage& PictureBoxView::surface() const
{
    if (m_surface.isNull()) {
        m_surface = QImage(size(), QImage::Format_RGB32);
        m_surface.fill(toQColor(m_control.backColor()));
        if (const QPixmap& picture = m_picture.pixmap(); !picture.isNull()) {
            QPainter p(&m_surface);
            p.drawPixmap(0, 0, picture);
        }
    }
    return m_surface;
}

void PictureBoxView::clear()
{
    surface();
    m_surface.fill(toQColor(m_control.backColor()));
    m_client->update();
}

void PictureBoxView::refresh() { m_client->update(); } // painted with the next frame

bool PictureBoxView::draw(const Surface& source, PixelRect from, PixelRect to)
{
    // Every surface of this window is a picture box's.
    const QImage& image = static_cast<const PictureBoxView&>(source).surface();
    surface();
    QPainter p(&m_surface);
    if (from.width == to.width && from.height == to.height)
        p.drawImage(QPoint(to.x, to.y), image, QRect(from.x, from.y, from.width, from.height));
    else
        p.drawImage(QRect(to.x, to.y, to.width, to.height),
            image.copy(from.x, from.y, from.width, from.height));
    m_client->update();
    return true;
}

// ---- Label ------------------------------------------------------------------------------------

LabelView::LabelView(Control& control, QWidget* parent)
    : QLabel(parent)
    , ControlView(control)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignTop
        | (control.desc().alignment == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft));
    setMargin(0);
    setIndent(0);
}

void LabelView::apply(Prop prop, const Scale& scale)
{
    ControlView::apply(prop, scale);
    if (prop == Prop::Caption || prop == Prop::Font || prop == Prop::Geometry)
        m_ink.reset();
    switch (prop) {
    case Prop::Caption: setText(displayText(m_control.caption())); break;
    case Prop::Colours:
        if (m_control.desc().transparent && frameWidth() == 0 && !autoFillBackground()) {
            recolourText();
            break;
        }
        recolour(this, QPalette::WindowText, m_control.foreColor(), QPalette::Window,
            m_control.backColor());
        setAutoFillBackground(!m_control.desc().transparent);
        break;
    default: break;
    }
}

// A transparent label shows what lies behind it everywhere but its text, so a change of colours
// (the pulsing title does one ten times a second) repaints the text alone, not the whole label
// and everything under it. setPalette() would schedule the whole label; updates stay blocked
// while it runs. (The attribute itself, not setUpdatesEnabled(), which repaints all on return.)
void LabelView::recolourText()
{
    const bool wasBlocked = testAttribute(Qt::WA_UpdatesDisabled);
    setAttribute(Qt::WA_UpdatesDisabled, true);
    recolour(
        this, QPalette::WindowText, m_control.foreColor(), QPalette::Window, m_control.backColor());
    setAttribute(Qt::WA_UpdatesDisabled, wasBlocked);
    if (!m_ink) {
        const QRect box = fontMetrics().boundingRect(
            contentsRect(), int(alignment()) | Qt::TextWordWrap, text());
        m_ink = box.adjusted(-2, -2, 2, 2) & rect(); // glyphs may reach a little past their box
    }
    update(*m_ink);
}

// ---- TextBox ----------------------------------------------------------------------------------

TextBoxView::TextBoxView(Control& control, QWidget* parent)
    : QPlainTextEdit(parent)
    , ControlView(control)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    const bool both = control.desc().scrollBars == ScrollBars::Both;
    setLineWrapMode(both ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WordWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(both ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TextBoxView::apply(Prop prop, const Scale& scale)
{
    ControlView::apply(prop, scale);
    switch (prop) {
    case Prop::Caption: setPlainText(displayText(m_control.text())); break;
    case Prop::Colours:
        recolour(
            this, QPalette::Text, m_control.foreColor(), QPalette::Base, m_control.backColor());
        break;
    default: break;
    }
}

// ---- CommandButton ----------------------------------------------------------------------------

ButtonView::ButtonView(Control& control, QWidget* parent)
    : QPushButton(parent)
    , ControlView(control)
{
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    // A graphical button's face is its own BackColor, drawn flat: no bevel until it is pressed.
    // It stays in the Tab chain, so keyboard users can reach it.
    if (control.desc().graphical) {
        setFlat(true);
        setAutoFillBackground(true);
    }
}

void ButtonView::apply(Prop prop, const Scale& scale)
{
    ControlView::apply(prop, scale);
    switch (prop) {
    case Prop::Caption:
    case Prop::Geometry:
    case Prop::Font: showCaption(); break;
    case Prop::Colours:
        if (m_control.desc().graphical) {
            QPalette pal = palette();
            pal.setColor(QPalette::Button, toQColor(m_control.backColor()));
            setPalette(pal);
        }
        break;
    default: break;
    }
}

void ButtonView::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    // A flat face has no bevel to show the keyboard focus in; mark it with the style's focus frame.
    if (isFlat() && hasFocus() && !isDown()) {
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        option.backgroundColor = palette().color(QPalette::Button);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

// A caption wider than the button wraps onto a further line at a word boundary. Captions carry
// no access keys: a literal & stays an ampersand.
void ButtonView::showCaption()
{
    const QString caption = toQString(m_control.caption());
    const QFontMetrics metrics(font());
    const int room = width() - 2 * style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this);
    QString wrapped;
    QString line;
    for (const QString& word : caption.split(QLatin1Char(' '))) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > room) {
            wrapped += line + QLatin1Char('\n');
            line = word;
        } else {
            line = candidate;
        }
    }
    wrapped += line;
    setText(wrapped.replace(QLatin1Char('&'), QStringLiteral("&&")));
    setAccessibleName(caption); // assistive technology reads the caption as one line
}

// ---- Image, Shape, Line -----------------------------------------------------------------------

PaintedView::PaintedView(Control& control, QWidget* parent)
    : QWidget(parent)
    , ControlView(control)
    , m_picture(control.desc().picture)
{
    // Shapes and lines take no mouse events: the container under them does.
    if (control.kind() == Kind::Shape || control.kind() == Kind::Line)
        setAttribute(Qt::WA_TransparentForMouseEvents);
    if (!control.desc().toolTip.empty())
        setToolTip(toQString(control.desc().toolTip));
}

void PaintedView::apply(Prop prop, const Scale& scale)
{
    if (prop == Prop::Geometry && m_control.kind() == Kind::Line) {
        const QRect a = scale.rect(m_control.left(), m_control.top(), 0, 0);
        const QRect b = scale.rect(m_control.width(), m_control.height(), 0, 0);
        const QRect box = QRect(a.topLeft(), b.topLeft()).normalized().adjusted(0, 0, 1, 1);
        setGeometry(box);
        m_from = a.topLeft() - box.topLeft();
        m_to = b.topLeft() - box.topLeft();
        return;
    }
    if (prop == Prop::Geometry && m_control.kind() == Kind::Image && !m_control.desc().stretch) {
        // An image that is not stretched takes the size of its picture.
        if (const QSize picture = m_picture.size(); !picture.isEmpty()) {
            const QRect at = scale.rect(m_control.left(), m_control.top(), 0, 0);
            setGeometry(QRect(at.topLeft(), picture));
            return;
        }
    }
    ControlView::apply(prop, scale);
    if (prop == Prop::Colours)
        update();
}

void PaintedView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    switch (m_control.kind()) {
    case Kind::Image:
        if (m_control.desc().stretch) {
            // Scale once per size, not on every repaint of what lies over the picture.
            if (m_scaled.size() != size())
                m_scaled = m_picture.pixmap().scaled(
                    size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            p.drawPixmap(0, 0, m_scaled);
        } else {
            p.drawPixmap(0, 0, m_picture.pixmap());
        }
        break;
    case Kind::Shape: {
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const double radius = std::min(r.width(), r.height()) / 8;
        if (m_control.backColor() != kUnset)
            p.setBrush(toQColor(m_control.backColor()));
        p.setPen(QPen(toQColor(m_control.foreColor()), 1));
        p.drawRoundedRect(r, radius, radius);
        break;
    }
    case Kind::Line:
        p.setPen(QPen(toQColor(m_control.foreColor()), 1));
        p.drawLine(m_from, m_to);
        break;
    default: break;
    }
}

} // namespace gd
