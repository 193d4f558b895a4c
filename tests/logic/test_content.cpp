// The tutorial texts: the listings are for copying, so every character counts, and the captions
// keep the tutorial's own slips.

#include "model/texts.h"

#include <QByteArray>
#include <QList>
#include <QTest>

using namespace gd;

namespace {

QByteArray textOf(const char* control)
{
    for (const TextEntry& e : tutorialTexts())
        if (nameOf(e.control) == control)
            return QByteArray(e.text.data(), qsizetype(e.text.size()));
    return QByteArray();
}

bool hasText(const char* control)
{
    for (const TextEntry& e : tutorialTexts())
        if (nameOf(e.control) == control)
            return true;
    return false;
}

// The listing's lines without their CR LF; the final break does not start another line.
QList<QByteArray> linesOf(const QByteArray& listing)
{
    QList<QByteArray> lines = listing.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& l : lines)
        l.chop(l.endsWith('\r') ? 1 : 0);
    return lines;
}

QByteArray joined(const QList<QByteArray>& lines)
{
    QByteArray all;
    for (const QByteArray& l : lines)
        all += l + "\r\n";
    return all;
}

int indentOf(const QByteArray& line)
{
    int n = 0;
    while (n < line.size() && line[n] == ' ')
        ++n;
    return n;
}

} // namespace

class TestContent : public QObject {
    Q_OBJECT

private slots:
    void listingShape_data();
    void listingShape();
    void exactListings_data();
    void exactListings();
    void quotedLines_data();
    void quotedLines();
    void listingLayout_data();
    void listingLayout();
    void repeatedBlocks();
    void fadeRamp();
    void captions_data();
    void captions();
    void captionsAreSingleLines();
};

void TestContent::listingShape_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("lines");

    QTest::newRow("txtTrans") << QByteArray("txtTrans") << 614 << 17;
    QTest::newRow("txtTrabs") << QByteArray("txtTrabs") << 854 << 35;
    QTest::newRow("txtFade") << QByteArray("txtFade") << 850 << 29;
    QTest::newRow("Text1") << QByteArray("Text1") << 257 << 7;
    QTest::newRow("Text2") << QByteArray("Text2") << 373 << 12;
    QTest::newRow("Text3") << QByteArray("Text3") << 666 << 12;
    QTest::newRow("Text4") << QByteArray("Text4") << 1602 << 41;
    QTest::newRow("Text5") << QByteArray("Text5") << 331 << 15;
    QTest::newRow("Text6") << QByteArray("Text6") << 315 << 13;
    QTest::newRow("Text7") << QByteArray("Text7") << 252 << 10;
    QTest::newRow("Text8") << QByteArray("Text8") << 288 << 8;
}

void TestContent::listingShape()
{
    QFETCH(QByteArray, control);
    QFETCH(int, length);
    QFETCH(int, lines);

    QVERIFY2(hasText(control.constData()), "listing missing");
    const QByteArray text = textOf(control.constData());
    QCOMPARE(text.size(), length);
    QCOMPARE(text.count("\r\n"), lines);
    QVERIFY(text.endsWith("\r\n"));
    QVERIFY(!text.endsWith("\r\n\r\n")); // exactly one break after the last line
    // Every CR starts a CR LF pair and every LF ends one: no bare breaks.
    QCOMPARE(text.count('\r'), lines);
    QCOMPARE(text.count('\n'), lines);
    for (char ch : text) {
        if (ch == '\r' || ch == '\n')
            continue;
        QVERIFY2(ch != '\t', "tab character");
        QVERIFY2(ch >= 0x20 && ch <= 0x7E, "not printable ASCII");
    }
    for (const QByteArray& line : linesOf(text))
        QVERIFY2(!line.contains('\r'), line.constData());
}

void TestContent::exactListings_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray mouseMove = "(Button As Integer, Shift As Integer, X As Single, Y As Single)";
    QTest::newRow("Text1") << QByteArray("Text1")
                           << joined({ "Private Sub Form_MouseMove" + mouseMove,
                                  "ImgClick.Visible = False", "End Sub", "",
                                  "Private Sub ImgHover_MouseMove" + mouseMove,
                                  "ImgClick.Visible = True", "End Sub" });
    QTest::newRow("Text2") << QByteArray("Text2")
                           << joined({ "Private Sub Form_MouseMove" + mouseMove,
                                  "lblButton.BackColor = vbRed", "lblButton.FontSize = 12",
                                  "lblbutton.FontBold=False", "End Sub", "", "",
                                  "Private Sub lblButton_MouseMove" + mouseMove,
                                  "lblButton.BackColor = vbYellow", "lblButton.FontSize = 14",
                                  "lblButton.FontBold = True", "End Sub" });
    QTest::newRow("Text5")
        << QByteArray("Text5")
        << joined({ "'NOTE: Set the Stop Position and change the value if required. The value set "
                    "in this sample is 0",
               "", "Private Sub Timer4_Timer()", "picTrans.Left = Val(picTrans.Left) + 20",
               "If picTrans.Left >= 0 Then ", "Timer4.Enabled = False", "End If", "", "", "End Sub",
               "", "Private Sub CmdTrans1_Click()", "picTrans.Left = -1200",
               "Timer4.Enabled = True", "End Sub" });
    QTest::newRow("Text6")
        << QByteArray("Text6")
        << joined({ "' NOTE: Set the Stop Position of this Control if required. In this sample, "
                    "the stop position value = 0",
               "", "Private Sub Timer5_Timer()", "picUp.Top = Val(picUp.Top) - 20",
               "If picUp.Top <= 0 Then", "Timer5.Enabled = False", "End If", "End Sub", "",
               "Private Sub cmdTrans2_Click()", "picUp.Top = 2500", "Timer5.Enabled = True",
               "End Sub" });
    QTest::newRow("Text7") << QByteArray("Text7")
                           << joined({ "'NOTE: The Higher the Timer's Value, the faster the Blink",
                                  "", "Private Sub Timer8_Timer()",
                                  "lblAni.Tag = Val(lblAni.Tag) + 1", "If lblAni.Tag = \"1\" Then",
                                  "lblAni.Visible = False", "ElseIf lblAni.Tag = \"2\" Then",
                                  "lblAni.Visible = True", "lblAni.Tag = \"0\"", "End If" });
    QTest::newRow("Text8")
        << QByteArray("Text8")
        << joined({ "'NOTE: You must consider the Start and End Position Value of lblAni. The "
                    "sample start position value below is 6720 while the stop position value "
                    "is -5880",
               "", "Private Sub Timer9_Timer()", "lblAni.Left = Val(lblAni.Left) - 50",
               "If lblAni.Left = -5880 Then", "lblAni.Left = 6720", "End If", "End Sub" });
}

void TestContent::exactListings()
{
    QFETCH(QByteArray, control);
    QFETCH(QByteArray, expected);
    QCOMPARE(textOf(control.constData()), expected);
}

void TestContent::quotedLines_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<int>("line"); // 1-based
    QTest::addColumn<QByteArray>("expected");

    struct Row {
        const char* control;
        int line;
        const char* text;
    };
    // The lines of the long listings that are fixed to the character.
    const Row rows[] = {
        { "txtTrans", 1, "Private Declare Function GetWindowLong Lib \"user32\" Alias _" },
        { "txtTrans", 12, "Const GWL_EXSTYLE = (-20)" },
        { "txtTrans", 13, "Const WS_EX_LAYERED = &H80000" },
        { "txtTrans", 14, "Const LWA_COLORKEY = &H1" },
        { "txtTrans", 15, "Const LWA_ALPHA = &H2" },
        { "txtTrans", 17, "Public lngAlpha As Long" },
        { "txtTrabs", 1, "Private Sub Form_Load()" },
        { "txtTrabs", 2, "On Error Resume Next" },
        { "txtTrabs", 3, "lngAlpha = 0" },
        { "txtTrabs", 5, "    Dim lngCurStyle As Long" },
        { "txtTrabs", 6, "    Dim lngNewStyle As Long" },
        { "txtTrabs", 14, "End Sub" },
        { "txtTrabs", 16, "Private Sub Timer1_Timer()" },
        { "txtTrabs", 17, "On Error Resume Next" },
        { "txtTrabs", 18, "txtTrans.Tag = Val(txtTrans.Tag) + 2" },
        { "txtTrabs", 21, "lngAlpha = txtTrans.Tag" },
        { "txtTrabs", 32, "    If txtTrans.Tag = \"250\" Then" },
        { "txtTrabs", 33, "Timer1.Enabled = False" },
        { "txtTrabs", 34, "End If" },
        { "txtTrabs", 35, "End Sub" },
        { "txtFade", 1, "Private Sub Timer2_Timer()" },
        { "txtFade", 2, "lblTitle.Tag = Val(lblTitle.Tag) + 1" },
        { "txtFade", 3, "If lblTitle.Tag = \"1\" Then" },
        { "txtFade", 27, "lblTitle.Tag = \"0\"" },
        { "txtFade", 28, "End If" },
        { "txtFade", 29, "End Sub" },
        { "Text3", 1, "Dim dAngle As Double" },
        { "Text3", 2, "Const NUM_TURNS = 36" },
        { "Text3", 3, "Const PI = 3.14159265358979" },
        { "Text3", 4, "Const CENTER_X = 4000" },
        { "Text3", 5, "Const SRCCOPY = &HCC0020" },
        { "Text4", 1, "Private Sub Form_Load()" },
        { "Text4", 19, "End Sub" },
        { "Text4", 21, "Private Sub Timer1_Timer()" },
        { "Text4", 22, "Picture3.Cls" },
        { "Text4", 23, "If Cos(dAngle * PI / 180) >= 0 Then" },
        { "Text4", 29, "ElseIf Cos(dAngle * PI / 180) < 0 Then" },
        { "Text4", 35, "End If" },
        { "Text4", 38, "Picture4.Refresh" },
        { "Text4", 39, "dAngle = dAngle + 360 / NUM_TURNS" },
        { "Text4", 40, "dAngle = dAngle Mod 360" },
        { "Text4", 41, "End Sub" },
    };
    for (const Row& r : rows)
        QTest::addRow("%s:%d", r.control, r.line)
            << QByteArray(r.control) << r.line << QByteArray(r.text);
}

void TestContent::quotedLines()
{
    QFETCH(QByteArray, control);
    QFETCH(int, line);
    QFETCH(QByteArray, expected);

    const QList<QByteArray> lines = linesOf(textOf(control.constData()));
    QVERIFY(line <= lines.size());
    QCOMPARE(lines[line - 1], expected);
}

void TestContent::listingLayout_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QList<int>>("empty");        // lines with no characters
    QTest::addColumn<QList<int>>("continued");    // lines ending in " _"
    QTest::addColumn<QList<int>>("indents");      // line, indent pairs; all others start at 0
    QTest::addColumn<QByteArray>("wordsInOrder"); // blank-separated, must appear in this order

    QTest::newRow("txtTrans")
        << QByteArray("txtTrans") << QList<int> { 3, 7, 11, 16 } << QList<int> { 1, 4, 5, 8, 9 }
        << QList<int> { 2, 2, 5, 3, 6, 10, 10, 4 }
        << QByteArray("GetWindowLong \"GetWindowLongA\" hWnd nIndex SetWindowLong "
                      "\"SetWindowLongA\" hWnd nIndex dwNewLong SetLayeredWindowAttributes hWnd "
                      "crKey bAlpha dwFlags");
    QList<int> trabsIndents;
    for (int line : { 5, 6, 8, 9, 11, 13, 23, 24, 26, 27, 29, 31, 32 })
        trabsIndents << line << 4;
    QTest::newRow("txtTrabs")
        << QByteArray("txtTrabs") << QList<int> { 4, 7, 10, 12, 15, 19, 20, 22, 25, 28, 30 }
        << QList<int> {} << trabsIndents
        << QByteArray("GetWindowLong(Form1.hWnd, lngCurStyle Or WS_EX_LAYERED SetWindowLong "
                      "SetLayeredWindowAttributes Form1.hWnd, 0, lngAlpha, LWA_ALPHA");
    QTest::newRow("txtFade") << QByteArray("txtFade") << QList<int> {} << QList<int> {}
                             << QList<int> {} << QByteArray("Timer2_Timer");
    QTest::newRow("Text3") << QByteArray("Text3") << QList<int> {} << QList<int> { 6, 7, 8, 10, 11 }
                           << QList<int> {}
                           << QByteArray("StretchBlt \"gdi32\" hdc x y nWidth nHeight hSrcDC xSrc "
                                         "ySrc nSrcWidth nSrcHeight dwRop BitBlt \"gdi32\" "
                                         "hDestDC x y nWidth nHeight hSrcDC xSrc ySrc dwRop");
    QTest::newRow("Text4") << QByteArray("Text4") << QList<int> { 20 }
                           << QList<int> { 24, 25, 26, 27, 30, 31, 32, 33, 36 } << QList<int> {}
                           << QByteArray("Picture1.AutoSize Picture2.AutoSize Picture3.Width "
                                         "Picture3.Height Picture4.Width Picture4.Height "
                                         "Picture3.Visible Picture1.Visible Picture2.Visible "
                                         "Picture3.AutoRedraw Picture1.AutoRedraw "
                                         "Picture2.AutoRedraw Picture4.AutoRedraw "
                                         "Picture1.BorderStyle Picture2.BorderStyle "
                                         "Picture3.BorderStyle Picture4.BorderStyle StretchBlt "
                                         "Picture3.hdc SRCCOPY StretchBlt Picture3.hdc SRCCOPY "
                                         "BitBlt Picture4.hdc Picture3.hdc SRCCOPY");
}

void TestContent::listingLayout()
{
    QFETCH(QByteArray, control);
    QFETCH(QList<int>, empty);
    QFETCH(QList<int>, continued);
    QFETCH(QList<int>, indents);
    QFETCH(QByteArray, wordsInOrder);

    const QByteArray text = textOf(control.constData());
    const QList<QByteArray> lines = linesOf(text);
    for (int i = 0; i < lines.size(); ++i) {
        const int n = i + 1;
        const QByteArray& line = lines[i];
        const QByteArray where = control + ':' + QByteArray::number(n);
        QCOMPARE(line.isEmpty(), empty.contains(n));
        QVERIFY2(line.endsWith(" _") == continued.contains(n), where.constData());
        int expectedIndent = 0;
        for (int k = 0; k + 1 < indents.size(); k += 2)
            if (indents[k] == n)
                expectedIndent = indents[k + 1];
        QVERIFY2(indentOf(line) == expectedIndent, where.constData());
        QVERIFY2(!line.endsWith(' '), where.constData());
    }
    qsizetype from = 0;
    for (const QByteArray& word : wordsInOrder.split(' ')) {
        from = text.indexOf(word, from);
        QVERIFY2(from >= 0, word.constData());
        from += word.size();
    }
}

// Listings that say the same thing twice must say it the same way.
void TestContent::repeatedBlocks()
{
    const QList<QByteArray> trabs = linesOf(textOf("txtTrabs"));
    QCOMPARE(trabs.size(), 35);
    QCOMPARE(trabs.mid(22, 9), trabs.mid(4, 9));

    // The two StretchBlt statements differ only in their source box and in where the lines
    // break; the second one's lines 31 and 32 begin with "* ".
    const QList<QByteArray> spin = linesOf(textOf("Text4"));
    QCOMPARE(spin.size(), 41);
    QVERIFY(spin[30].startsWith("* "));
    QVERIFY(spin[31].startsWith("* "));
    auto statement = [&](int first) {
        QByteArray s;
        for (int i = first - 1; i < first + 4; ++i) {
            QByteArray l = spin[i];
            if (l.endsWith(" _"))
                l.chop(2);
            s += l + ' ';
        }
        return s.simplified().replace(" ", "");
    };
    QByteArray front = statement(24);
    QVERIFY(front.contains("Picture1.hdc"));
    QVERIFY(!front.contains("Picture2"));
    QCOMPARE(statement(30), front.replace("Picture1", "Picture2"));
}

// txtFade climbs from black to white in six steps and back in six.
void TestContent::fadeRamp()
{
    const char* colours[] = { "&H0&", "&H404040", "&H808080", "&HC0C0C0", "&HE0E0E0", "&HFFFFFF",
        "&HFFFFFF", "&HE0E0E0", "&HC0C0C0", "&H808080", "&H404040", "&H0&" };
    const QList<QByteArray> lines = linesOf(textOf("txtFade"));
    QCOMPARE(lines.size(), 29);
    for (int n = 1; n <= 12; ++n) {
        const QByteArray test = QByteArray(n == 1 ? "If" : "ElseIf") + " lblTitle.Tag = \""
            + QByteArray::number(n) + "\" Then";
        QCOMPARE(lines[2 * n], test);
        QCOMPARE(lines[2 * n + 1], QByteArray("lblTitle.ForeColor = ") + colours[n - 1]);
    }
}

void TestContent::captions_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QByteArray>("expected");

    // Every panel closes itself; the demonstrations' captions; and the slips the tutorial keeps.
    for (const char* close :
        { "Command1", "Command2", "Command3", "Command4", "Command5", "Command16" })
        QTest::addRow("%s", close) << QByteArray(close) << QByteArray("Close");
    const QByteArray headline = "NEW FLASH: VB CRAZE IN THE PHILIPPINES INCREASED TO 30 %!";
    const struct {
        const char* control;
        QByteArray text;
    } rows[] = {
        { "Command6", "Reset" },
        { "CmdTrans1", "Horizontal Transition" },
        { "cmdTrans2", "Vertical Transition" },
        { "lblButton", "LOGIN" },
        { "lblSample", "VARNOLD SAMPLE" },
        { "Label14", "Image Button" },
        { "Label15", "Label Button" },
        { "Label35", "Picture1" },
        { "Label38", "Picture4" },
        { "Label63", "BLINKING TEXT" },
        { "Label64", "NEWS FLASH TEXT" },
        { "lblAni", headline },
        { "lblAni1", headline },
        { "Label57", "Set Caption = \"" + headline + '"' },
        { "Label59", "Set Caption = \"" + headline + '"' },
        { "Label13", "Sample ( Put Your Mouse Curson on Top of the Control)" },
        { "Label56", "Create a Label Control and name it \"lblAni\"" },
        { "Label62", "Set Timer8.Interval=\"1\"" },
        { "Label61", "Set Timer8.Interval=\"500\"" },
        { "Label34", "Create a Timer and Set Timer1.Interval=50" },
        { "Label8",
            "Create Timer and a Label. Set Timer's name to Timer2 and label1's name to "
            "lblTitle" },
        { "Label43", "Set the picTrans.left= -1200 ' or any value that would hide this control" },
        { "Label12", "HOW TO CREATE AN IMAGE BUTTON AND LABEL BUTTON" },
    };
    for (const auto& r : rows)
        QTest::addRow("%s", r.control) << QByteArray(r.control) << r.text;
}

void TestContent::captions()
{
    QFETCH(QByteArray, control);
    QFETCH(QByteArray, expected);
    QVERIFY2(hasText(control.constData()), "no text");
    QCOMPARE(textOf(control.constData()), expected);
}

// Only the listings span lines; every caption is one line of printable ASCII, given once.
void TestContent::captionsAreSingleLines()
{
    QList<QByteArray> seen;
    for (const TextEntry& e : tutorialTexts()) {
        const QByteArray name(nameOf(e.control).data(), qsizetype(nameOf(e.control).size()));
        QVERIFY2(!seen.contains(name), name.constData());
        seen << name;
        const QByteArray text(e.text.data(), qsizetype(e.text.size()));
        QVERIFY2(!text.isEmpty(), name.constData());
        if (text.contains('\n'))
            continue;
        for (char ch : text)
            QVERIFY2(ch >= 0x20 && ch <= 0x7E, name.constData());
        QVERIFY2(text.trimmed() == text, name.constData());
    }
}

QTEST_GUILESS_MAIN(TestContent)
#include "test_content.moc"
