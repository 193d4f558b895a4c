// The window description as data: the tree, the tab order, the timers, the event wiring, the
// panel layouts and the texts attached to them.

#include "content/texts.h"
#include "window/description.h"
#include "window/handlers.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QTest>

using namespace gd;

namespace {

QByteArray bytes(std::string_view s) { return QByteArray(s.data(), qsizetype(s.size())); }

const ControlDesc& control(const char* name)
{
    static const ControlDesc missing {};
    const ControlDesc* c = findControl(name);
    return c ? *c : missing;
}

bool needsTabIndex(Kind k)
{
    return k != Kind::Timer && k != Kind::Image && k != Kind::Line && k != Kind::Shape;
}

const QList<QByteArray> kPanels { "Picture1", "Picture2", "Picture6", "Picture8", "Picture13",
    "Picture16" };

// The tutorial panel a control sits in, however deep; empty outside the panels.
QByteArray panelOf(const ControlDesc& c)
{
    std::string_view in = c.container;
    while (in != "Form1") {
        if (kPanels.contains(bytes(in)))
            return bytes(in);
        const ControlDesc* parent = findControl(in);
        if (!parent)
            return {};
        in = parent->container;
    }
    return {};
}

const TextEntry* textFor(std::string_view name)
{
    for (const TextEntry& e : tutorialTexts())
        if (e.control == name)
            return &e;
    return nullptr;
}

} // namespace

class TestDescription : public QObject {
    Q_OBJECT

private slots:
    void kindCounts_data();
    void kindCounts();
    void tree();
    void siblingOrder_data();
    void siblingOrder();
    void tabOrder();
    void closeIsLastInEachPanel();
    void timers_data();
    void timers();
    void events_data();
    void events();
    void menuButtons_data();
    void menuButtons();
    void imageButtonFaces();
    void slidersStartOutOfSight();
    void spinBoxes();
    void listingScrollBars();
    void texts();
};

void TestDescription::kindCounts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("count");
    QTest::newRow("PictureBox") << int(Kind::PictureBox) << 23;
    QTest::newRow("Label") << int(Kind::Label) << 73;
    QTest::newRow("TextBox") << int(Kind::TextBox) << 11;
    QTest::newRow("CommandButton") << int(Kind::CommandButton) << 21;
    QTest::newRow("Timer") << int(Kind::Timer) << 11;
    QTest::newRow("Image") << int(Kind::Image) << 6;
    QTest::newRow("Line") << int(Kind::Line) << 4;
    QTest::newRow("Shape") << int(Kind::Shape) << 1;
}

void TestDescription::kindCounts()
{
    QFETCH(int, kind);
    QFETCH(int, count);
    QCOMPARE(controlDescriptions().size(), std::size_t(150));
    int n = 0;
    for (const ControlDesc& c : controlDescriptions())
        n += int(c.kind) == kind;
    QCOMPARE(n, count);
}

// Names are unique, and the window layer can build the tree in one pass: every container is a
// picture box (or the form) that comes before its children.
void TestDescription::tree()
{
    QSet<QByteArray> seen;
    for (const ControlDesc& c : controlDescriptions()) {
        const QByteArray name = bytes(c.name);
        QVERIFY2(!name.isEmpty(), "unnamed control");
        QVERIFY2(name != "Form1", "a control named like the form");
        QVERIFY2(!seen.contains(name), name.constData());
        if (c.container != "Form1") {
            QVERIFY2(seen.contains(bytes(c.container)), name.constData());
            QCOMPARE(findControl(c.container)->kind, Kind::PictureBox);
        }
        seen.insert(name);
        QCOMPARE(findControl(c.name), &c);
    }
    QCOMPARE(findControl("NoSuchControl"), nullptr);
}

void TestDescription::siblingOrder_data()
{
    QTest::addColumn<QByteArray>("container");
    QTest::addColumn<QList<QByteArray>>("children"); // front to back

    QTest::newRow("Picture1") << QByteArray("Picture1")
                              << QList<QByteArray> { "Command1", "txtTrabs", "txtTrans", "Label4",
                                     "Label3", "Label2", "Label1" };
    QTest::newRow("Picture7") << QByteArray("Picture7")
                              << QList<QByteArray> { "lblButton", "Label15", "Label14", "ImgClick",
                                     "ImgHover" };
    QTest::newRow("Picture8") << QByteArray("Picture8")
                              << QList<QByteArray> { "Text4", "Picture11", "Timer3", "Picture9",
                                     "Text3", "Command4", "Picture12", "Picture10", "Label38",
                                     "Label37", "Label36", "Label35", "Label34", "Label33",
                                     "Label32", "Label31", "Label30", "Label29" };
    QTest::newRow("Picture14") << QByteArray("Picture14")
                               << QList<QByteArray> { "picUp", "picTrans" };
    QTest::newRow("Picture16")
        << QByteArray("Picture16")
        << QList<QByteArray> { "Text8", "Text7", "Picture18", "Timer9", "Timer8", "Picture17",
               "Command16", "Label62", "Label61", "Label58", "Label64", "Label63", "Label60",
               "Label59", "Label57", "Label56", "Label55", "Line4", "Label54", "Label53",
               "Label52" };
    QTest::newRow("Picture15") << QByteArray("Picture15")
                               << QList<QByteArray> { "Command13", "Command12", "Command11",
                                      "Command10", "Command9", "Command8" };
}

void TestDescription::siblingOrder()
{
    QFETCH(QByteArray, container);
    QFETCH(QList<QByteArray>, children);
    QList<QByteArray> listed;
    for (const ControlDesc& c : controlDescriptions())
        if (c.container == container.constData())
            listed << bytes(c.name);
    QCOMPARE(listed, children);
}

void TestDescription::tabOrder()
{
    QSet<int> used;
    for (const ControlDesc& c : controlDescriptions()) {
        const QByteArray name = bytes(c.name);
        if (!needsTabIndex(c.kind)) {
            QVERIFY2(c.tabIndex == -1, name.constData());
            continue;
        }
        QVERIFY2(c.tabIndex >= 0 && c.tabIndex <= 127, name.constData());
        QVERIFY2(!used.contains(c.tabIndex), name.constData());
        used.insert(c.tabIndex);
    }
    QCOMPARE(used.size(), 128); // 0..127, none left out
}

// Tabbing through a panel ends on its "Close" button.
void TestDescription::closeIsLastInEachPanel()
{
    const char* closers[] = { "Command1", "Command2", "Command3", "Command4", "Command5",
        "Command16" };
    for (int p = 0; p < kPanels.size(); ++p) {
        const ControlDesc& close = control(closers[p]);
        QCOMPARE(bytes(close.container), kPanels[p]);
        for (const ControlDesc& c : controlDescriptions())
            if (panelOf(c) == kPanels[p] && &c != &close)
                QVERIFY2(c.tabIndex < close.tabIndex, c.name.data());
    }
}

void TestDescription::timers_data()
{
    QTest::addColumn<QByteArray>("timer");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("Timer1") << QByteArray("Timer1") << 1 << true;
    QTest::newRow("Timer2") << QByteArray("Timer2") << 100 << true;
    QTest::newRow("Timer3") << QByteArray("Timer3") << 50 << true;
    QTest::newRow("Timer4") << QByteArray("Timer4") << 1 << false;
    QTest::newRow("Timer5") << QByteArray("Timer5") << 1 << false;
    QTest::newRow("Timer6") << QByteArray("Timer6") << 1 << false;
    QTest::newRow("Timer7") << QByteArray("Timer7") << 1 << false;
    QTest::newRow("Timer8") << QByteArray("Timer8") << 500 << true;
    QTest::newRow("Timer9") << QByteArray("Timer9") << 1 << true;
    QTest::newRow("Timer10") << QByteArray("Timer10") << 50 << true;
    QTest::newRow("Timer11") << QByteArray("Timer11") << 1000 << true;
}

void TestDescription::timers()
{
    QFETCH(QByteArray, timer);
    QFETCH(int, interval);
    QFETCH(bool, enabled);
    const ControlDesc* t = findControl(timer.constData());
    QVERIFY(t);
    QCOMPARE(t->kind, Kind::Timer);
    QCOMPARE(t->interval, interval);
    QCOMPARE(t->enabled, enabled);
}

void TestDescription::events_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<int>("event");
    QTest::addColumn<QByteArray>("handler");
    QCOMPARE(eventDescriptions().size(), std::size_t(36));
    for (const EventDesc& e : eventDescriptions())
        QTest::newRow(bytes(e.handler).constData())
            << bytes(e.control) << int(e.event) << bytes(e.handler);
}

// Each event row reaches a handler of the matching signature, on a control of a kind that
// raises that event.
void TestDescription::events()
{
    QFETCH(QByteArray, control);
    QFETCH(int, event);
    QFETCH(QByteArray, handler);

    const HandlerEntry* h = findHandler(handler.constData());
    QVERIFY(h);
    if (Event(event) == Event::MouseMove) {
        QVERIFY(h->mouse);
        QVERIFY(!h->plain);
    } else {
        QVERIFY(h->plain);
        QVERIFY(!h->mouse);
    }
    const QByteArray owner = control == "Form1" ? QByteArray("Form") : control;
    const char* suffix[] = { "_Load", "_Click", "_MouseMove", "_Timer" };
    QCOMPARE(handler, owner + suffix[event]);

    if (control == "Form1") {
        QVERIFY(Event(event) == Event::Load || Event(event) == Event::MouseMove);
        return;
    }
    const ControlDesc* c = findControl(control.constData());
    QVERIFY(c);
    QCOMPARE(c->kind == Kind::Timer, Event(event) == Event::Timer);
    QVERIFY(Event(event) != Event::Load);
}

void TestDescription::menuButtons_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("height");
    QTest::newRow("Command8") << QByteArray("Command8") << 120 << 735;
    QTest::newRow("Command9") << QByteArray("Command9") << 960 << 720;
    QTest::newRow("Command10") << QByteArray("Command10") << 1800 << 735;
    QTest::newRow("Command11") << QByteArray("Command11") << 2640 << 735;
    QTest::newRow("Command12") << QByteArray("Command12") << 3480 << 735;
    QTest::newRow("Command13") << QByteArray("Command13") << 4320 << 735;
}

void TestDescription::menuButtons()
{
    QFETCH(QByteArray, button);
    QFETCH(int, top);
    QFETCH(int, height);
    const ControlDesc& c = control(button.constData());
    QCOMPARE(bytes(c.container), QByteArray("Picture15"));
    QCOMPARE(c.top, top);
    QCOMPARE(c.height, height);
}

// The hover face must hide the normal face completely when it shows.
void TestDescription::imageButtonFaces()
{
    const auto all = controlDescriptions();
    const ControlDesc& click = control("ImgClick");
    const ControlDesc& hover = control("ImgHover");
    QCOMPARE(bytes(click.container), QByteArray("Picture7"));
    QCOMPARE(bytes(hover.container), QByteArray("Picture7"));
    QVERIFY(&click - all.data() < &hover - all.data()); // listed first: in front
    QCOMPARE(click.left, hover.left);
    QCOMPARE(click.top, hover.top);
    QVERIFY(click.width >= hover.width);
    QVERIFY(click.height >= hover.height);
    QVERIFY(!click.visible);
    QVERIFY(hover.visible);
    QVERIFY(!click.stretch && !hover.stretch);
    QCOMPARE(bytes(hover.toolTip), QByteArray("ACCOUNT MENU"));
}

// The transition boxes and the ticker start where their container clips them away.
void TestDescription::slidersStartOutOfSight()
{
    const ControlDesc& stage = control("Picture14");
    const ControlDesc& trans = control("picTrans");
    const ControlDesc& up = control("picUp");
    QCOMPARE(trans.left, -1200);
    QVERIFY(trans.left + trans.width <= 0);
    QCOMPARE(up.top, 2500);
    // The flat border takes a pixel (15 twips) on each side; less than a pixel of picUp shows.
    QVERIFY(stage.height - 2 * 15 - up.top < 15);
    QCOMPARE(bytes(trans.container), QByteArray("Picture14"));
    QCOMPARE(bytes(up.container), QByteArray("Picture14"));

    const ControlDesc& strip = control("Picture17");
    const ControlDesc& ticker = control("lblAni1");
    QCOMPARE(bytes(ticker.container), QByteArray("Picture17"));
    QCOMPARE(ticker.left, 6720);
    QCOMPARE(strip.width - ticker.left, 255); // only this much shows
}

void TestDescription::spinBoxes()
{
    int lastLeft = -1;
    for (const char* name : { "Picture9", "Picture10", "Picture11", "Picture12" }) {
        const ControlDesc& c = control(name);
        QCOMPARE(c.kind, Kind::PictureBox);
        QCOMPARE(bytes(c.container), QByteArray("Picture8"));
        QCOMPARE(c.width, 855);
        QCOMPARE(c.height, 855);
        QCOMPARE(c.top, 5880);
        QVERIFY2(c.left > lastLeft, name); // one row, left to right
        lastLeft = c.left;
    }
    QCOMPARE(control("Picture9").picture, control("Picture10").picture);
    QVERIFY(!control("Picture9").picture.empty());
    QVERIFY(control("Picture11").picture.empty());
    QVERIFY(control("Picture12").picture.empty());
}

// Long lines wrap in the single-column panels and scroll sideways in the two-column ones.
void TestDescription::listingScrollBars()
{
    for (const ControlDesc& c : controlDescriptions()) {
        if (c.kind != Kind::TextBox)
            continue;
        const QByteArray panel = panelOf(c);
        const bool twoColumns = panel == "Picture6" || panel == "Picture13" || panel == "Picture16";
        QVERIFY2(!panel.isEmpty(), c.name.data());
        QVERIFY2(c.scrollBars == (twoColumns ? ScrollBars::Both : ScrollBars::Vertical),
            c.name.data());
    }
}

// The texts table is the one source of the panels' words: each entry lands on a control that
// shows text, every such control in a panel gets one, and none is given in the rows as well.
void TestDescription::texts()
{
    for (const TextEntry& e : tutorialTexts()) {
        const ControlDesc* c = findControl(e.control);
        QVERIFY2(c, bytes(e.control).constData());
        QVERIFY2(c->kind == Kind::Label || c->kind == Kind::CommandButton
                || c->kind == Kind::TextBox,
            c->name.data());
        QVERIFY2(!panelOf(*c).isEmpty(), c->name.data());
    }
    int inPanels = 0;
    for (const ControlDesc& c : controlDescriptions()) {
        if (panelOf(c).isEmpty())
            continue;
        ++inPanels;
        if (c.kind != Kind::Label && c.kind != Kind::CommandButton && c.kind != Kind::TextBox)
            continue;
        QVERIFY2(textFor(c.name), c.name.data());
        QVERIFY2(c.caption.empty(), c.name.data());
    }
    QCOMPARE(inPanels, 105);
}

QTEST_GUILESS_MAIN(TestDescription)
#include "test_description.moc"
