#pragma once

// One Qt widget per control. Each view reads its control's properties and shows them; it keeps
// no state of its own beyond what Qt needs to draw. A control that takes the keyboard focus
// shows it with a dotted frame, once the focus has been moved with the keyboard (see
// KeyboardFocus), never after a mouse click.

#include "model/control.h"
#include "model/platform.h"
#include "qt/conversions.h"
#include "qt/pictures.h"

#include <QFrame>
#include <QImage>
#include <QList>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <optional>

class QAbstractButton;
class QAbstractScrollArea;

namespace gd {

class ControlView {
public:
    explicit ControlView(Control& control)
        : m_control(control)
    {
    }
    virtual ~ControlView() = default;
    virtual QWidget* widget() = 0;
    virtual void apply(Prop prop, const Scale& scale);
    Control& control() const { return m_control; }

    // What each kind of view has beside its widget, nullptr where it has none.
    // Where children of this control live (picture boxes only).
    virtual QWidget* clientArea() { return nullptr; }
    // The widgets the mouse and the keyboard reach this control through.
    virtual QList<QWidget*> inputWidgets();
    // A push button, which reports its own clicks.
    virtual QAbstractButton* pushButton() { return nullptr; }
    // A picture box's drawing surface.
    virtual Surface* surface() { return nullptr; }
    // A label, which can name another control for assistive technology.
    virtual QLabel* label() { return nullptr; }
    // A listing, whose scroll bars assistive technology can move.
    virtual QAbstractScrollArea* scrollArea() { return nullptr; }

protected:
    Control& m_control;
};

// A picture box is also its own drawing surface (hDC): an image made on first use, at the box's
// outer pixel size, holding the background and the box's picture. What is drawn on it stays
// until the next Cls, so drawn frames survive repaints.
class PictureBoxView : public QFrame, public ControlView, public Surface {
    Q_OBJECT

public:
    PictureBoxView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    QWidget* clientArea() override;
    QList<QWidget*> inputWidgets() override;
    Surface* surface() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

    void clear() override;
    void refresh() override;
    bool draw(const Surface& source, PixelRect from, PixelRect to) override;

    const QImage& image() const;

private:
    class Client;
    Client* m_client;
    Picture m_picture;
    mutable QImage m_surface;
};

class LabelView : public QLabel, public ControlView {
    Q_OBJECT

public:
    LabelView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    QLabel* label() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void recolourText();

    // Where the text's ink lies; worked out again after the text, font or geometry changes.
    std::optional<QRect> m_ink;
};

class TextBoxView : public QPlainTextEdit, public ControlView {
    Q_OBJECT

public:
    TextBoxView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    QList<QWidget*> inputWidgets() override;
    QAbstractScrollArea* scrollArea() override { return this; }
    void apply(Prop prop, const Scale& scale) override;
};

class ButtonView : public QPushButton, public ControlView {
    Q_OBJECT

public:
    ButtonView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    QAbstractButton* pushButton() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showCaption();
};

// Images, the shape and lines are painted by hand.
class ImageView : public QWidget, public ControlView {
    Q_OBJECT

public:
    ImageView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture m_picture;
    QPixmap m_scaled; // a stretched picture at the widget's size
};

// Shapes and lines take no mouse events: the container under them does.
class ShapeView : public QWidget, public ControlView {
    Q_OBJECT

public:
    ShapeView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class LineView : public QWidget, public ControlView {
    Q_OBJECT

public:
    LineView(Control& control, QWidget* parent);
    QWidget* widget() override { return this; }
    void apply(Prop prop, const Scale& scale) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from, m_to; // the end points inside the widget
};

// The view of a control of any kind but a timer (nullptr).
ControlView* makeView(Control& control, QWidget* parent);

} // namespace gd
