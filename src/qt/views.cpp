#include "qt/views.h"

#include "core/caption.h"
#include "model/form.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QTextOption>

#include <algorithm>

namespace gd {

void ControlView::apply(Prop prop, const Scale& scale)
{
    QWidget* w = widget();
    switch (prop) {
    case Prop::Geometry:
        w->setGeometry(toQRect(
            scale.rect(m_control.left(), m_control.top(), m_control.width(), m_control.height())));
        break;
    case Prop::Visible: w->setVisible(m_control.visible()); break;
    case Prop::Enabled: w->setEnabled(m_control.enabled()); break;
    case Prop::Font: w->setFont(fontOf(m_control)); break;
    default: break;
    }
}

QList<QWidget*> ControlView::inputWidgets() { return { widget() }; }

namespace {

void recolour(QWidget* w, QPalette::ColorRole textRole, Colour text, QPalette::ColorRole backRole,
    Colour back)
{
    QPalette pal = w->palette();
    pal.setColor(textRole, toQColor(text));
    pal.setColor(backRole, toQColor(back));
    w->setPalette(pal);
}

// The one way a focus frame is drawn: dotted, in the control's text colour, `inset` pixels in
// from its edges. Only once the keyboard has moved the focus in this window (KeyboardFocus marks
// that on the window, as Qt's own styles read it), so a mouse user never sees one.
void paintFocusFrame(QWidget* w, QPalette::ColorRole text, int inset)
{
    if (!w->hasFocus() || !w->window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter p(w);
    p.setPen(QPen(w->palette().color(text), 1, Qt::DotLine));
    p.drawRect(w->rect().adjusted(inset, inset, -1 - inset, -1 - inset));
}

} // namespace

// ---- PictureBox -------------------------------------------------------------------------------

// The client area: children are placed in it and clipped by it, inside the border.
class PictureBoxView::Client : public QWidget {
    Q_OBJECT

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

QList<QWidget*> PictureBoxView::inputWidgets() { return { this, m_client }; }

void PictureBoxView::apply(Prop prop, const Scale& scale)
{
    ControlView::apply(prop, scale);
    if (prop == Prop::Geometry)
        m_client->setGeometry(contentsRect());
    else if (prop == Prop::Colours)
        m_client->update();
}

const QImage& PictureBoxView::image() const
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
    image();
    m_surface.fill(toQColor(m_control.backColor()));
    m_client->update();
}

void PictureBoxView::refresh() { m_client->update(); } // painted with the next frame

bool PictureBoxView::draw(const Surface& source, PixelRect from, PixelRect to)
{
    // Every surface of this window is a picture box's.
    const QImage& image = static_cast<const PictureBoxView&>(source).image();
    this->image();
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

// A frame label ("_", "X") takes the focus from the keyboard.
void LabelView::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    paintFocusFrame(this, QPalette::WindowText, 0);
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

QList<QWidget*> TextBoxView::inputWidgets() { return { this, viewport() }; }

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
    // A flat face has no bevel to show the keyboard focus in.
    if (isFlat() && !isDown())
        paintFocusFrame(this, QPalette::ButtonText, 2);
}

// A caption wider than the button wraps onto a further line at a word boundary. Captions carry
// no access keys: a literal & stays an ampersand.
void ButtonView::showCaption()
{
    const QFontMetrics metrics(font());
    const int room = width() - 2 * style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this);
    const std::string wrapped = wrapCaption(m_control.caption(), room,
        [&metrics](std::string_view line) { return metrics.horizontalAdvance(toQString(line)); });
    setText(toQString(wrapped).replace(QLatin1Char('&'), QStringLiteral("&&")));
    // Assistive technology reads the caption as one line.
    setAccessibleName(toQString(m_control.caption()));
}

// ---- Image, Shape, Line -----------------------------------------------------------------------

ImageView::ImageView(Control& control, QWidget* parent)
    : QWidget(parent)
    , ControlView(control)
    , m_picture(control.desc().picture)
{
    if (!control.desc().toolTip.empty())
        setToolTip(toQString(control.desc().toolTip));
}

void ImageView::apply(Prop prop, const Scale& scale)
{
    if (prop == Prop::Geometry && !m_control.desc().stretch) {
        // An image that is not stretched takes the size of its picture.
        if (const QSize picture = m_picture.size(); !picture.isEmpty()) {
            const PixelPoint at = scale.point(m_control.left(), m_control.top());
            setGeometry(QRect(QPoint(at.x, at.y), picture));
            return;
        }
    }
    ControlView::apply(prop, scale);
    if (prop == Prop::Colours)
        update();
}

void ImageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_control.desc().stretch) {
        // Scale once per size, not on every repaint of what lies over the picture.
        if (m_scaled.size() != size())
            m_scaled = m_picture.pixmap().scaled(
                size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        p.drawPixmap(0, 0, m_scaled);
    } else {
        p.drawPixmap(0, 0, m_picture.pixmap());
    }
}

ShapeView::ShapeView(Control& control, QWidget* parent)
    : QWidget(parent)
    , ControlView(control)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeView::apply(Prop prop, const Scale& scale)
{
    ControlView::apply(prop, scale);
    if (prop == Prop::Colours)
        update();
}

void ShapeView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = std::min(r.width(), r.height()) / 8;
    if (m_control.backColor() != kUnset)
        p.setBrush(toQColor(m_control.backColor()));
    p.setPen(QPen(toQColor(m_control.foreColor()), 1));
    p.drawRoundedRect(r, radius, radius);
}

LineView::LineView(Control& control, QWidget* parent)
    : QWidget(parent)
    , ControlView(control)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// A line's "geometry" is its two end points; the widget is the box around them.
void LineView::apply(Prop prop, const Scale& scale)
{
    if (prop != Prop::Geometry) {
        ControlView::apply(prop, scale);
        if (prop == Prop::Colours)
            update();
        return;
    }
    const LineBox line = lineBox(m_control, scale);
    setGeometry(toQRect(line.box));
    m_from = QPoint(line.from.x, line.from.y);
    m_to = QPoint(line.to.x, line.to.y);
}

void LineView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(toQColor(m_control.foreColor()), 1));
    p.drawLine(m_from, m_to);
}

ControlView* makeView(Control& control, QWidget* parent)
{
    switch (control.kind()) {
    case Kind::PictureBox: return new PictureBoxView(control, parent);
    case Kind::Label: return new LabelView(control, parent);
    case Kind::TextBox: return new TextBoxView(control, parent);
    case Kind::CommandButton: return new ButtonView(control, parent);
    case Kind::Image: return new ImageView(control, parent);
    case Kind::Shape: return new ShapeView(control, parent);
    case Kind::Line: return new LineView(control, parent);
    case Kind::Timer: break;
    }
    return nullptr;
}

} // namespace gd

#include "views.moc"
