#include "qt/application.h"

#include "handlers/event_table.h"
#include "qt/fonts.h"
#include "qt/form_window.h"
#include "qt/motion_setting.h"

#include <QApplication>
#include <QStyleFactory>

namespace gd {

Application::Application(TickScheduler::Clock clock)
    : m_platform(clock)
{
    QApplication::setApplicationName(QStringLiteral("Glimmerdeck"));
    QApplication::setApplicationVersion(QStringLiteral(GLIMMERDECK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(GLIMMERDECK_APP_ID));
    // Fusion draws graphical buttons in their own face colour on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFonts();
    m_form = std::make_unique<Form1>(m_platform, eventTable());
    double tpp = QtPlatform::screenTwipsPerPixel();
    if (!(tpp > 0))
        tpp = 15;
    m_window = std::make_unique<FormWindow>(*m_form, Scale { tpp, tpp }, std::move(clock));
    m_platform.attach(m_window.get());
    m_motion = std::make_unique<MotionSetting>(
        [this](bool reduce) { m_platform.setMotionReduced(reduce); });
}

Application::~Application() { m_platform.attach(nullptr); }

void Application::start()
{
    m_window->start();
    m_motion->readAfterFirstFrame(m_window.get());
}

} // namespace gd
