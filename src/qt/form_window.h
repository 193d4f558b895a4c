#pragma once

// The window layer: builds one widget per control from the model, mirrors every property change
// onto its widget, paces the timers and feeds clicks, mouse moves and ticks back to the model.

#include "model/form.h"
#include "qt/views.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace gd {

class TickScheduler;

class FormWindow : public QWidget, public FormObserver {
public:
    // `scale` converts the model's twips to this screen's pixels.
    FormWindow(Form1& form, Scale scale);
    ~FormWindow() override;

    Form1& form() { return m_form; }
    const Scale& scale() const { return m_scale; }

    // Starts the enabled timers, runs the load handler, centres the window and shows it.
    void start();
    // Stops every timer at once; used when the program ends.
    void stopTimers();

    ControlView* view(const Control& control) { return m_views[control.index()]; }
    QWidget* widgetFor(ControlId id);
    // A picture box's drawing surface; nullptr for any other control.
    Surface* surface(const Control& control) { return m_surfaces[control.index()]; }

    void controlChanged(Control& control, Prop prop) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void watch(QWidget* widget, Control* control);
    Control* controlAt(QObject* widget) const;

    Form1& m_form;
    Scale m_scale;
    std::vector<ControlView*> m_views;       // by control index; owned by Qt's parent chain
    std::vector<PictureBoxView*> m_surfaces; // the same, for picture boxes only
    std::vector<std::pair<QObject*, Control*>> m_watched;
    Control* m_pressed = nullptr;
    TickScheduler* m_scheduler;
};

} // namespace gd
