#pragma once

// One Qt widget per control. Each view reads its control's properties and shows them; it keeps
// no state of its own beyond what Qt needs to draw.

#include "model/control.h"
#include "model/platform.h"

#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <optional>

namespace gd {

// Twips to pixels for one axis.
struct Scale {
    double tppX = 15, tppY = 15;
    QRect rect(double left, double top, double width, double height) const;
};

// The colours the window was designed in, on every desktop: see designedPalette() in views.cpp.
const QPalette& designedPalette();
// A description colour; a system colour (&H800000nn) comes from designedPalette().
QColor toQColor(Colour colour);
// The model's texts are Latin-1, as the tutorials' language keeps them.
QString toQString(std::string_view text);
// Where a picture the description names lies among the program's compiled-in assets.
QString assetPath(std::string_view file);
// An icon among the assets, decoded only once something asks to see it.
QIcon loadIcon(std::string_view file);

// A picture the description names, decoded when it is first drawn: most wait in panels that
// may never be opened.
class Picture {
public:
    explicit Picture(std::string_view file)
        : m_file(file)
    {
    }
    const QPixmap& pixmap() const;
    // Read from the file's header where its format allows, without decoding it.
    QSize size() const;

private:
    std::string_view m_file;
    mutable std::optional<QPixmap> m_pixmap;
};
QFont fontOf(const Control& control);

class ControlView {
public:
    explicit ControlView(Control& control)
        : m_control(control)
    {
    }
    virtual ~ControlView() = default;
    virtual QWidget* widget() = 0;
    // Where children of this control live (picture boxes only).
    virtual QWidget* clientArea() { return nullptr; }
    virtual void apply(Prop prop, const Scale& scale);
    Control& control() const { return m_control; }

protected:
    Control& m_control;
};

// A picture box is also its own drawing surface (hDC): an image made on first use, at the box's
// outer pixel size, holding the background and the box's picture. What is drawn on it stays
// until the next Cls, so drawn frames survive repaints.
class PictureBoxView : public QFrame, public ControlView, public Surface {
public:
    PictureBoxView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    QWidget* clientArea() override;
    void apply(Prop prop, const Scale& scale) override;

    void clear() override;
    void refresh() override;
    bool draw(const Surface& source, PixelRect from, PixelRect to) override;

    const QImage& surface() const;

private:
    class Client;
    Client* m_client;
    Picture m_picture;
    mutable QImage m_surface;
};

class LabelView : public QLabel, public ControlView {
public:
    LabelView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

private:
    void recolourText();

    // Where the text's ink lies; worked out again after the text, font or geometry changes.
    std::optional<QRect> m_ink;
};

class TextBoxView : public QPlainTextEdit, public ControlView {
public:
    TextBoxView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    void apply(Prop prop, const Scale& scale) override;
};

class ButtonView : public QPushButton, public ControlView {
public:
    ButtonView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showCaption();
};

// Images, the shape and lines are painted by hand.
class PaintedView : public QWidget, public ControlView {
public:
    PaintedView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture m_picture;
    QPixmap m_scaled;    // a stretched picture at the widget's size
    QPoint m_from, m_to; // a line's end points inside the widget
};

} // namespace gd
