// The real widgets on Qt's offscreen platform: pixel geometry, stacking, clipping, hit-testing
// and what the window shows, with clicks and moves delivered as a user's would be.

#include "handlers/library_calls.h"
#include "handlers/menu.h"
#include "qt/application.h"
#include "qt/form_window.h"
#include "qt/palette.h"
#include "qt/pictures.h"
#include "qt/tick_timer.h"
#include "qt/window_alpha.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

using namespace gd;

namespace {

QColor pixel(QWidget* w, QPoint at) { return w->grab().toImage().pixelColor(at); }

// The union of the areas a widget repainted.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget* widget) { widget->installEventFilter(this); }
    QRect painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted |= static_cast<QPaintEvent*>(event)->rect();
        return false;
    }
};

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

public:
    // Before the application: a platform theme named in the environment, as many desktop
    // sessions name one, would replace Qt's own palette.
    static void initMain() { qunsetenv("QT_QPA_PLATFORMTHEME"); }

private:
    std::unique_ptr<Application> app;
    FormWindow* win = nullptr;

    QWidget* w(ControlId id) { return win->widgetFor(id); }
    QWidget* w(std::string_view name) { return w(*findControl(name)); }
    Form1& form() { return app->form(); }
    QPoint centreIn(std::string_view name) { return w(name)->mapTo(win, w(name)->rect().center()); }

    void openMenu()
    {
        QTest::mouseClick(w("Command7"), Qt::LeftButton);
        for (int i = 0; i < 52; ++i)
            form().tick(ControlId::Timer6);
        QCOMPARE(form().Picture15.height(), 5220.0f);
    }

private slots:
    void init()
    {
        app = std::make_unique<Application>();
        app->start();
        win = &app->window();
        QVERIFY(QTest::qWaitForWindowExposed(win));
    }
    void cleanup() { app.reset(); }

    // A platform call made from inside a handler must not run the event loop: a timer due by
    // then would tick again inside that handler. The last fade step once did, and under load the
    // fade ran past 250 and never stopped.
    void fadeStepsRunNoEventsInsideTheHandler()
    {
        QCOMPARE(GetWindowLongA(form(), GWL_EXSTYLE) & WS_EX_LAYERED, WS_EX_LAYERED);
        bool ranInside = false;
        QTimer::singleShot(0, [&] { ranInside = true; });
        for (int alpha = 246; alpha <= 250; alpha += 2)
            QCOMPARE(SetLayeredWindowAttributes(form(), 0, std::uint8_t(alpha), LWA_ALPHA), 1);
        QVERIFY(!ranInside);
        QCOMPARE(qRound(win->windowOpacity() * 255), 250);
        QTRY_VERIFY(ranInside);
    }

    void geometry()
    {
        QCOMPARE(win->size(), QSize(817, 586));
        QVERIFY(win->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w("Picture3")->geometry(), QRect(0, 560, 265, 25));
        QCOMPARE(w("Picture4")->x(), 264);     // the cells overlap by a pixel
        QCOMPARE(w("Picture15")->height(), 3); // collapsed to 50 twips at load
        // Label67 is wider than its cell and clipped by it.
        QWidget* label = w("Label67");
        QVERIFY(label->width() > w("Picture5")->width());
        QVERIFY(label->visibleRegion().boundingRect().right() < label->width() - 1);
        // The counter buttons lie beyond the window's right edge: visible, never seen.
        for (const char* name : { "a", "b", "c" }) {
            QVERIFY(w(name)->isVisible());
            QVERIFY(w(name)->x() >= win->width());
        }
        // Tutorial panels are hidden, the credits card is shown.
        for (const Tutorial& t : kTutorials)
            QVERIFY(!w(t.panel)->isVisible());
        QVERIFY(w("Picture20")->isVisible());
        // Boxes placed outside their stage keep their place and are clipped, not pulled back.
        QCOMPARE(w("picTrans")->x(), -80);
        QVERIFY(w("lblAni1")->x() > w("Picture17")->width() - 20);
    }

    void stackingAndHitTesting()
    {
        // Labels of the title strip lie over its pictures.
        QCOMPARE(win->childAt(centreIn("lblTitle")), w("lblTitle"));
        QCOMPARE(win->childAt(centreIn("Label6")), w("Label6"));
        QCOMPARE(win->childAt(QPoint(5, 5)), w("Image6"));
        QCOMPARE(win->childAt(QPoint(400, 5)), w("lblTitle"));
        // The line takes no mouse: over it the form itself is hit.
        QCOMPARE(win->childAt(QPoint(160, 300)), nullptr);
    }

    void fonts()
    {
        QVERIFY(QFontInfo(w("Label65")->font()).family().startsWith("Tahoma"));
        QVERIFY(QFontInfo(w("Label5")->font()).family().startsWith("Liberation Sans"));
        QVERIFY(QFontInfo(w("lblTitle")->font()).family().startsWith("P052"));
    }

    void everyPanelThroughItsMenuButton_data()
    {
        QTest::addColumn<ControlId>("button");
        QTest::addColumn<ControlId>("panel");
        QTest::addColumn<ControlId>("close");
        for (const Tutorial& t : kTutorials)
            QTest::newRow(describe(t.button).caption.data()) << t.button << t.panel << t.close;
    }
    void everyPanelThroughItsMenuButton()
    {
        QFETCH(ControlId, button);
        QFETCH(ControlId, panel);
        QFETCH(ControlId, close);
        const QPoint card(400, 300); // the silver credits card, in window pixels
        const QColor silver(0xC0, 0xC0, 0xC0);
        QCOMPARE(pixel(win, card), silver);
        openMenu();
        QTest::mouseClick(w(button), Qt::LeftButton);
        QVERIFY(w(panel)->isVisible());
        QVERIFY(pixel(win, card) != silver);
        QTest::mouseClick(w(close), Qt::LeftButton);
        QVERIFY(!w(panel)->isVisible());
        QCOMPARE(pixel(win, card), silver);
    }

    void hoverRouting()
    {
        openMenu();
        QTest::mouseClick(w("Command10"), Qt::LeftButton);
        Control& lblButton = form().lblButton;
        Control& ImgClick = form().ImgClick;
        QTest::mouseMove(win, centreIn("lblButton"));
        QCOMPARE(lblButton.backColor(), Colour(0x00FFFF));
        QCOMPARE(lblButton.fontSize(), 14.0f);
        QTest::mouseMove(win, centreIn("Label15")); // a caption inside the box: nothing
        QCOMPARE(lblButton.backColor(), Colour(0x00FFFF));
        QTest::mouseMove(win, w("Picture7")->mapTo(win, QPoint(w("Picture7")->width() - 4, 4)));
        QCOMPARE(lblButton.backColor(), Colour(0x0000FF));
        QVERIFY(!lblButton.fontBold());
        QTest::mouseMove(win, centreIn("ImgHover"));
        QVERIFY(ImgClick.visible());
        QVERIFY(w("ImgClick")->isVisible());
        QTest::mouseMove(win, centreIn("ImgHover") + QPoint(3, 3)); // now over the shown ImgClick
        QVERIFY(ImgClick.visible());
        QTest::mouseMove(win, QPoint(156, 300)); // bare form, between the buttons and the line
        QVERIFY(!ImgClick.visible());
        // A disabled control takes no mouse input: a move over it is the form's.
        QTest::mouseMove(win, centreIn("ImgHover"));
        QVERIFY(ImgClick.visible());
        form().Command7.setEnabled(false); // as while the menu slides
        QTest::mouseMove(win, centreIn("Command7"));
        QVERIFY(!ImgClick.visible());
    }

    // A border raises no mouse event: neither its control's, nor that of what lies behind it.
    void bordersRaiseNoMouseMoves()
    {
        openMenu();
        QTest::mouseClick(w("Command10"), Qt::LeftButton);
        Control& ImgClick = form().ImgClick;
        QWidget* box = w("Picture7"); // a flat one-pixel frame
        QTest::mouseMove(win, centreIn("ImgHover"));
        QVERIFY(ImgClick.visible());
        // Straight up out of Picture7: the images touch its top edge, so the frame is the only
        // part of the box crossed, and the panel behind it has no handler.
        const QPoint top = box->mapTo(win, QPoint(0, 0));
        bool crossedFrame = false;
        for (QPoint p = centreIn("ImgHover"); p.y() >= top.y() - 3; p.ry() -= 1) {
            crossedFrame = crossedFrame || win->childAt(p) == box;
            QTest::mouseMove(win, p);
            QVERIFY2(ImgClick.visible(), qPrintable(QStringLiteral("hidden at y %1").arg(p.y())));
        }
        QVERIFY(crossedFrame);
        // A status cell's sunken border lies on the bare form, whose move would hide ImgClick:
        // inside the cell and on its border nothing happens, just outside it the form's does.
        QWidget* cell = w("Picture3");
        QTest::mouseMove(win, cell->mapTo(win, QPoint(cell->width() / 2, cell->height() / 2)));
        QVERIFY(ImgClick.visible());
        const QPoint border = cell->mapTo(win, QPoint(cell->width() / 2, 1));
        QCOMPARE(win->childAt(border), cell);
        QTest::mouseMove(win, border);
        QVERIFY(ImgClick.visible());
        QTest::mouseMove(win, border - QPoint(0, 3));
        QCOMPARE(win->childAt(border - QPoint(0, 3)), nullptr);
        QVERIFY(!ImgClick.visible());
    }

    // The window shows Qt's own palette, the one a desktop without a platform theme gives, so
    // keeping it on every desktop changes no pixel there. (initMain() sees that none is given.)
    void designedPaletteIsQtsOwn()
    {
        const QPalette own = QApplication::palette();
        for (int group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = QPalette::ColorGroup(group);
                const auto r = QPalette::ColorRole(role);
                QVERIFY2(designedPalette().color(g, r).rgba() == own.color(g, r).rgba(),
                    qPrintable(QStringLiteral("group %1, role %2").arg(group).arg(role)));
                QCOMPARE(win->palette().color(g, r).rgba(), own.color(g, r).rgba());
            }
        // A desktop that turns dark while the program runs changes nothing in the window.
        QApplication::setPalette(QPalette(Qt::white, QColor(0x32, 0x32, 0x32)));
        QApplication::processEvents();
        const bool kept = win->palette() == designedPalette()
            && w("Command8")->palette().color(QPalette::ButtonText) == QColor(Qt::black);
        QApplication::setPalette(own);
        QVERIFY(kept);
    }

    // The graphical buttons have a flat face in their own colour, stay in the Tab chain and
    // show the keyboard focus.
    void graphicalButtonsAreFlat()
    {
        openMenu();
        for (const char* name : { "Command7", "Command8", "Command9", "Command10", "Command11",
                 "Command12", "Command13", "Command14", "Command15" }) {
            auto* button = qobject_cast<QPushButton*>(w(name));
            QVERIFY2(button && button->isFlat(), name);
            QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
            const QColor face = toQColor(form()[*findControl(name)].backColor());
            const QImage plain = button->grab().toImage();
            // No bevel: the corners are the face colour too.
            for (QPoint p : { QPoint(1, 1), QPoint(button->width() - 2, button->height() - 2),
                     QPoint(button->width() / 2, 4) })
                QVERIFY2(plain.pixelColor(p) == face, name);
        }
        QVERIFY(!qobject_cast<QPushButton*>(w("Command1"))->isFlat()); // a standard button
        win->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(win));
        QWidget* exit = w("Command15");
        const QImage unfocused = exit->grab().toImage();
        w("Command14")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // "About" to "Exit"
        QVERIFY(exit->hasFocus());
        QVERIFY(exit->grab().toImage() != unfocused);
    }

    // Where the window system has no window opacity (Wayland), the pixels carry it: everything
    // in a translucent window is scaled by alpha / 255 while the fade runs, and from 250 on the
    // window is painted opaque again.
    void windowAlphaByPixels()
    {
        QWidget window;
        window.setAttribute(Qt::WA_TranslucentBackground);
        window.resize(40, 30);
        QLabel child(&window); // an opaque control over the window's own transparent surface
        child.setGeometry(10, 10, 20, 10);
        child.setAutoFillBackground(true);
        QPalette palette = child.palette();
        palette.setColor(QPalette::Window, QColor(192, 192, 192));
        child.setPalette(palette);
        auto at = [&](QPoint p) { return window.grab().toImage().pixelColor(p); };
        QCOMPARE(at(QPoint(15, 15)), QColor(192, 192, 192));
        for (int alpha : { 0, 2, 128, 248 }) {
            showWindowAlpha(&window, alpha);
            const QColor c = at(QPoint(15, 15));
            QVERIFY2(qAbs(c.alpha() - alpha) <= 1,
                qPrintable(QStringLiteral("alpha %1 shows as %2 (%3)")
                               .arg(alpha)
                               .arg(c.alpha())
                               .arg(c.name(QColor::HexArgb))));
            if (alpha >= 128) // (premultiplied: at tiny alphas the colour is too coarse to compare)
                QVERIFY2(qAbs(c.red() - 192) <= 2 && c.red() == c.blue(),
                    qPrintable(c.name(QColor::HexArgb))); // the colour itself stays
            QCOMPARE(at(QPoint(2, 2)).alpha(), 0); // nothing painted there: still transparent
        }
        showWindowAlpha(&window, 250);
        QCOMPARE(at(QPoint(15, 15)), QColor(192, 192, 192)); // opaque: no overlay left to paint
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("windowAlpha")));
    }

    // The pulsing title repaints only its text. What is on the screen after each step must be
    // what a full repaint draws: a region too small would leave old colours behind.
    void pulsingTitleRepaintsItsTextOnly()
    {
        win->stopTimers(); // only the ticks below change the window
        QApplication::processEvents();
        QScreen* screen = win->screen();
        QWidget* title = w("lblTitle");
        PaintSpy spy(title);
        QRect repainted;
        for (int k = 0; k < 12; ++k) {
            spy.painted = QRect();
            form().tick(ControlId::Timer2);
            QApplication::processEvents();
            repainted |= spy.painted; // before grab(), which paints everything again
            const QImage shown
                = screen->grabWindow(win->winId()).toImage().convertToFormat(QImage::Format_RGB32);
            const QImage full = win->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.size(), full.size());
            QVERIFY2(shown == full, qPrintable(QStringLiteral("after tick %1").arg(k + 1)));
        }
        // The text sits in the middle of a label four times as wide.
        QVERIFY(!repainted.isEmpty());
        QVERIFY2(repainted.width() * 2 < title->width(),
            qPrintable(QStringLiteral("repainted %1 of %2 pixels' width")
                           .arg(repainted.width())
                           .arg(title->width())));
    }

    // Hidden, the window sleeps through its timers, however fast; shown again, its first frame
    // shows what they did meanwhile, and the ticker's label stands where the model has it.
    void ticksOwedWhileHiddenShowInTheFirstFrameBack()
    {
        openMenu();
        QTest::mouseClick(w("Command13"), Qt::LeftButton); // "Text Animation": the ticker shows
        QWidget* label = w("lblAni1");
        win->hide();
        QTRY_VERIFY(!win->windowHandle()->isExposed());
        auto* ticks = win->findChild<TickTimer*>();
        QVERIFY(ticks);
        QCOMPARE(ticks->scheduler().nextWakeNs() % TickScheduler::kOwedAtMostNs, 0);
        const float hiddenAt = form().lblAni1.left();
        QTest::qWait(100);

        struct FirstFrame : QObject {
            std::function<void()> seen;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Paint && seen)
                    std::exchange(seen, nullptr)();
                return false;
            }
        } firstFrame;
        float shownAt = hiddenAt;
        int labelAt = -1;
        firstFrame.seen = [&] {
            shownAt = form().lblAni1.left();
            labelAt = label->x();
        };
        win->installEventFilter(&firstFrame);
        win->show();
        QVERIFY(QTest::qWaitForWindowExposed(win));
        QVERIFY(shownAt != hiddenAt);
        QCOMPARE(labelAt, Scale {}.rect(shownAt, 0, 0, 0).x);
        QTRY_VERIFY(form().lblAni1.left() != shownAt); // and on it goes
    }

    void spinningPictureDraws()
    {
        openMenu();
        QTest::mouseClick(w("Command11"), Qt::LeftButton);
        QWidget* box = w("Picture12");
        const QImage before = box->grab().toImage();
        form().tick(ControlId::Timer3);
        form().tick(ControlId::Timer3);
        form().tick(ControlId::Timer3);
        QApplication::processEvents();
        const QImage after = box->grab().toImage();
        QVERIFY(before != after);
        // What was drawn stays across a repaint.
        box->repaint();
        QCOMPARE(box->grab().toImage(), after);
    }

    // What the first frame does not show is built afterwards. A control changed meanwhile, in
    // the model alone, shows the change once it is built, and parts built later take their place
    // in the stacking and the keyboard order as if they had been built first.
    void hiddenPartsBuiltLater()
    {
        app.reset();
        app = std::make_unique<Application>(); // not started: nothing painted, nothing more built
        win = &app->window();
        Form1& f = form();
        QVERIFY(win->builtView(f.Picture20));
        QVERIFY(!win->builtView(f.Picture8) && !win->builtView(f.Label29));
        QVERIFY(!win->surface(f.Picture11));
        f.tick(ControlId::Timer3); // draws on surfaces that are not there yet: nothing happens
        f.Label29.setCaption("Turning");
        f.Picture12.setLeft(f.Picture12.left() + 150);
        f.Command4.setEnabled(false);
        f.Picture8.setVisible(true);
        QVERIFY(win->builtView(f.Label29));
        QCOMPARE(qobject_cast<QLabel*>(win->widgetFor(ControlId::Label29))->text(), "Turning");
        QCOMPARE(win->widgetFor(ControlId::Picture12)->x(), 434);
        QVERIFY(!win->widgetFor(ControlId::Command4)->isEnabled());
        QVERIFY(win->widgetFor(ControlId::Picture8)->isVisibleTo(win));
        // In front of the credits card, behind the controls listed before it.
        QWidget* panel = win->widgetFor(ControlId::Picture8);
        const QWidgetList stack
            = panel->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(stack.indexOf(panel) > stack.indexOf(win->widgetFor(ControlId::Picture20)));
        QVERIFY(stack.indexOf(panel) < stack.indexOf(win->widgetFor(ControlId::Picture15)));

        for (Control& c : f.controls())
            QVERIFY(c.kind() == Kind::Timer || win->widgetFor(c.id()));
        // From the window round the focus chain, the Tab stops come in TabIndex order.
        std::vector<int> order;
        for (QWidget* at = win->nextInFocusChain(); at != win; at = at->nextInFocusChain()) {
            auto* view = dynamic_cast<ControlView*>(at);
            if (view
                && (qobject_cast<QAbstractButton*>(at) || dynamic_cast<TextBoxView*>(at)
                    || view->control().actsAsButton()))
                order.push_back(view->control().desc().tabIndex);
        }
        QVERIFY(std::is_sorted(order.begin(), order.end()));
        // 32 buttons and listings, and the frame labels "_" and "X".
        QCOMPARE(order.size(), std::size_t(34));
        // However many parts were built, the window has one object that announces.
        const QWidgetList children
            = win->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(std::ranges::count_if(children,
                     [](QWidget* child) {
                         QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child);
                         return face && face->role() == QAccessible::Notification;
                     }),
            1);
    }

    // The window's icon is read only when the window system asks for it, and then must give what
    // the file holds, in every size. Run again with QT_SCALE_FACTOR=2 (test_window@2x).
    void iconDecodedWhenAsked()
    {
        // Offscreen shows no window icons, so nothing has asked yet: with the pictures gone, a
        // copy of the icon has nothing to show.
        QIcon unread = win->windowIcon();
        unread.detach();
        Q_CLEANUP_RESOURCE(pictures);
        const bool decoded = !unread.pixmap(32).isNull();
        Q_INIT_RESOURCE(pictures);
        QVERIFY2(!decoded, "the icon was decoded before anything asked for it");

        const QIcon shown = win->windowIcon();
        const QIcon file(assetPath(kForm.icon));
        QVERIFY(!shown.isNull());
        QCOMPARE(shown.availableSizes(), file.availableSizes());
        for (const QSize size : file.availableSizes()) {
            QCOMPARE(shown.actualSize(size), file.actualSize(size));
            for (const qreal ratio : { 1.0, 2.0 }) {
                const QPixmap got = shown.pixmap(size, ratio);
                QCOMPARE(got.devicePixelRatio(), file.pixmap(size, ratio).devicePixelRatio());
                QCOMPARE(got.toImage(), file.pixmap(size, ratio).toImage());
            }
        }
    }

    void namesAndTexts()
    {
        for (Control& c : form().controls()) {
            if (c.kind() == Kind::Timer)
                continue;
            QWidget* widget = w(c.id());
            QVERIFY(widget);
            QCOMPARE(widget->objectName().toStdString(), std::string(c.name()));
        }
        QCOMPARE(w("ImgHover")->toolTip(), QStringLiteral("ACCOUNT MENU"));
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
