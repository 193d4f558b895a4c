// The window description as data: the sibling order, the timers, the event wiring, the panel
// layouts and the texts attached to them. (Unique names, containers before children and the tab
// indexes are held by static_asserts beside the table.)

#include "model/texts.h"
#include "model/description.h"
#include "handlers/event_table.h"
#include "handlers/menu.h"

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
    const std::optional<ControlId> id = findControl(name);
    return id && *id != ControlId::Form1 ? describe(*id) : missing;
}

QByteArray nameBytes(ControlId id) { return bytes(gd::nameOf(id)); }

const QList<QByteArray> kPanels = [] {
    QList<QByteArray> panels;
    for (const Tutorial& t : kTutorials)
        panels << nameBytes(t.panel);
    return panels;
}();

// The tutorial panel a control sits in, however deep; empty outside the panels.
QByteArray panelOf(const ControlDesc& c)
{
    for (ControlId in = c.container; in != ControlId::Form1; in = describe(in).container)
        if (kPanels.contains(nameBytes(in)))
            return nameBytes(in);
    return {};
}

const TextEntry* textFor(ControlId id)
{
    for (const TextEntry& e : tutorialTexts())
        if (e.control == id)
            return &e;
    return nullptr;
}

} // namespace

class TestDescription : public QObject {
    Q_OBJECT

private slots:
    void kindCounts_data();
    void kindCounts();
    void siblingOrder_data();
    void siblingOrder();
    void closeIsLastInEachPanel();
    void timers_data();
    void timers();
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
    QCOMPARE(kControls.size(), std::size_t(150));
    int n = 0;
    for (const ControlDesc& c : kControls)
        n += int(c.kind) == kind;
    QCOMPARE(n, count);
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
    QTest::newRow("Picture16") << QByteArray("Picture16")
                               << QList<QByteArray> { "Text8", "Text7", "Picture18", "Timer9",
                                      "Timer8", "Picture17", "Command16", "Label62", "Label61",
                                      "Label58", "Label64", "Label63", "Label60", "Label59",
                                      "Label57", "Label56", "Label55", "Line4", "Label54",
                                      "Label53", "Label52" };
    QTest::newRow("Picture15") << QByteArray("Picture15")
                               << QList<QByteArray> { "Command13", "Command12", "Command11",
                                      "Command10", "Command9", "Command8" };
}

void TestDescription::siblingOrder()
{
    QFETCH(QByteArray, container);
    QFETCH(QList<QByteArray>, children);
    QList<QByteArray> listed;
    for (const ControlDesc& c : kControls)
        if (nameBytes(c.container) == container)
            listed << bytes(c.name);
    QCOMPARE(listed, children);
}

// Each "Close" button sits in its own panel, and tabbing through the panel ends on it.
void TestDescription::closeIsLastInEachPanel()
{
    for (const Tutorial& t : kTutorials) {
        const ControlDesc& close = describe(t.close);
        QCOMPARE(close.container, t.panel);
        QCOMPARE(bytes(textFor(t.close)->text), QByteArray("Close"));
        for (const ControlDesc& c : kControls)
            if (panelOf(c) == nameBytes(t.panel) && &c != &close)
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
    const ControlDesc& t = control(timer.constData());
    QCOMPARE(t.kind, Kind::Timer);
    QCOMPARE(t.interval, interval);
    QCOMPARE(t.enabled, enabled);
}

// Every event row is well formed (a static_assert holds that); these are the ones there are.
void TestDescription::events()
{
    QByteArrayList handlers;
    for (const EventBinding& e : eventTable())
        handlers << bytes(e.handler);
    QCOMPARE(handlers.size(), 36);
    for (const char* h : { "Form_Load", "Form_MouseMove", "Timer1_Timer", "Command7_Click",
             "Picture7_MouseMove", "Timer11_Timer", "Timer9_Timer" })
        QVERIFY2(handlers.contains(h), h);
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
    QCOMPARE(nameBytes(c.container), QByteArray("Picture15"));
    QCOMPARE(c.top, top);
    QCOMPARE(c.height, height);
}

// The hover face must hide the normal face completely when it shows.
void TestDescription::imageButtonFaces()
{
    const auto all = kControls;
    const ControlDesc& click = control("ImgClick");
    const ControlDesc& hover = control("ImgHover");
    QCOMPARE(nameBytes(click.container), QByteArray("Picture7"));
    QCOMPARE(nameBytes(hover.container), QByteArray("Picture7"));
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
    QCOMPARE(nameBytes(trans.container), QByteArray("Picture14"));
    QCOMPARE(nameBytes(up.container), QByteArray("Picture14"));

    const ControlDesc& strip = control("Picture17");
    const ControlDesc& ticker = control("lblAni1");
    QCOMPARE(nameBytes(ticker.container), QByteArray("Picture17"));
    QCOMPARE(ticker.left, 6720);
    QCOMPARE(strip.width - ticker.left, 255); // only this much shows
}

void TestDescription::spinBoxes()
{
    int lastLeft = -1;
    for (const char* name : { "Picture9", "Picture10", "Picture11", "Picture12" }) {
        const ControlDesc& c = control(name);
        QCOMPARE(c.kind, Kind::PictureBox);
        QCOMPARE(nameBytes(c.container), QByteArray("Picture8"));
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
    for (const ControlDesc& c : kControls) {
        if (c.kind != Kind::TextBox)
            continue;
        const QByteArray panel = panelOf(c);
        const bool twoColumns = panel == "Picture6" || panel == "Picture13" || panel == "Picture16";
        QVERIFY2(!panel.isEmpty(), c.name.data());
        QVERIFY2(
            c.scrollBars == (twoColumns ? ScrollBars::Both : ScrollBars::Vertical), c.name.data());
    }
}

// The texts table is the one source of the panels' words: each entry lands on a control that
// shows text, every such control in a panel gets one, and none is given in the rows as well.
void TestDescription::texts()
{
    for (const TextEntry& e : tutorialTexts()) {
        const ControlDesc& c = describe(e.control);
        QVERIFY2(c.kind == Kind::Label || c.kind == Kind::CommandButton || c.kind == Kind::TextBox,
            c.name.data());
        QVERIFY2(!panelOf(c).isEmpty(), c.name.data());
    }
    int inPanels = 0;
    for (const ControlDesc& c : kControls) {
        if (panelOf(c).isEmpty())
            continue;
        ++inPanels;
        if (c.kind != Kind::Label && c.kind != Kind::CommandButton && c.kind != Kind::TextBox)
            continue;
        QVERIFY2(textFor(c.id), c.name.data());
        QVERIFY2(c.caption.empty(), c.name.data());
    }
    QCOMPARE(inPanels, 105);
}

QTEST_GUILESS_MAIN(TestDescription)
#include "test_description.moc"
