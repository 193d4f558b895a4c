// The tutorial texts: the listings are for copying, so every character counts, and the captions
// keep the tutorial's own slips.

#include "fixture.h"
#include "model/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace gd;

namespace {

std::string_view textOf(const char* control)
{
    return tutorialText(Fixture::id(control)).value_or("");
}

// The listing's lines without their CR LF; the final break does not start another line.
Names linesOf(std::string_view listing)
{
    Names lines = split(listing, "\n");
    if (lines.back().empty())
        lines.pop_back();
    for (std::string& l : lines)
        if (l.ends_with('\r'))
            l.pop_back();
    return lines;
}

std::string joined(const Names& lines)
{
    std::string all;
    for (const std::string& l : lines)
        all += l + "\r\n";
    return all;
}

int indentOf(std::string_view line)
{
    int n = 0;
    while (std::size_t(n) < line.size() && line[n] == ' ')
        ++n;
    return n;
}

bool blank(char ch) { return std::string_view(" \t\n\v\f\r").find(ch) != std::string_view::npos; }

bool printable(char ch) { return ch >= 0x20 && ch <= 0x7E; }

bool contains(const std::vector<int>& list, int n)
{
    return std::find(list.begin(), list.end(), n) != list.end();
}

} // namespace

TEST(Content, ListingShape)
{
    const struct {
        const char* control;
        std::size_t length, lines;
    } rows[] = {
        { "txtTrans", 614, 17 },
        { "txtTrabs", 854, 35 },
        { "txtFade", 850, 29 },
        { "Text1", 257, 7 },
        { "Text2", 373, 12 },
        { "Text3", 666, 12 },
        { "Text4", 1602, 41 },
        { "Text5", 331, 15 },
        { "Text6", 315, 13 },
        { "Text7", 252, 10 },
        { "Text8", 288, 8 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        const std::optional<std::string_view> listing = tutorialText(Fixture::id(row.control));
        ASSERT_TRUE(listing.has_value()) << "listing missing";
        const std::string_view text = *listing;
        EXPECT_EQ(text.size(), row.length);
        std::size_t breaks = 0;
        for (std::size_t at = text.find("\r\n"); at != text.npos; at = text.find("\r\n", at + 2))
            ++breaks;
        EXPECT_EQ(breaks, row.lines);
        EXPECT_TRUE(text.ends_with("\r\n"));
        EXPECT_FALSE(text.ends_with("\r\n\r\n")); // exactly one break after the last line
        // Every CR starts a CR LF pair and every LF ends one: no bare breaks.
        EXPECT_EQ(std::size_t(std::count(text.begin(), text.end(), '\r')), row.lines);
        EXPECT_EQ(std::size_t(std::count(text.begin(), text.end(), '\n')), row.lines);
        for (char ch : text) {
            if (ch == '\r' || ch == '\n')
                continue;
            ASSERT_NE(ch, '\t') << "tab character";
            ASSERT_TRUE(printable(ch)) << "not printable ASCII";
        }
        for (const std::string& line : linesOf(text))
            ASSERT_EQ(line.find('\r'), line.npos) << line;
    }
}

TEST(Content, ExactListings)
{
    const std::string mouseMove = "(Button As Integer, Shift As Integer, X As Single, Y As Single)";
    const struct {
        const char* control;
        std::string expected;
    } rows[] = {
        { "Text1",
            joined({ "Private Sub Form_MouseMove" + mouseMove, "ImgClick.Visible = False",
                "End Sub", "", "Private Sub ImgHover_MouseMove" + mouseMove,
                "ImgClick.Visible = True", "End Sub" }) },
        { "Text2",
            joined({ "Private Sub Form_MouseMove" + mouseMove, "lblButton.BackColor = vbRed",
                "lblButton.FontSize = 12", "lblbutton.FontBold=False", "End Sub", "", "",
                "Private Sub lblButton_MouseMove" + mouseMove, "lblButton.BackColor = vbYellow",
                "lblButton.FontSize = 14", "lblButton.FontBold = True", "End Sub" }) },
        { "Text5",
            joined({ "'NOTE: Set the Stop Position and change the value if required. The value "
                     "set in this sample is 0",
                "", "Private Sub Timer4_Timer()", "picTrans.Left = Val(picTrans.Left) + 20",
                "If picTrans.Left >= 0 Then ", "Timer4.Enabled = False", "End If", "", "",
                "End Sub", "", "Private Sub CmdTrans1_Click()", "picTrans.Left = -1200",
                "Timer4.Enabled = True", "End Sub" }) },
        { "Text6",
            joined({ "' NOTE: Set the Stop Position of this Control if required. In this "
                     "sample, the stop position value = 0",
                "", "Private Sub Timer5_Timer()", "picUp.Top = Val(picUp.Top) - 20",
                "If picUp.Top <= 0 Then", "Timer5.Enabled = False", "End If", "End Sub", "",
                "Private Sub cmdTrans2_Click()", "picUp.Top = 2500", "Timer5.Enabled = True",
                "End Sub" }) },
        { "Text7",
            joined({ "'NOTE: The Higher the Timer's Value, the faster the Blink", "",
                "Private Sub Timer8_Timer()", "lblAni.Tag = Val(lblAni.Tag) + 1",
                "If lblAni.Tag = \"1\" Then", "lblAni.Visible = False",
                "ElseIf lblAni.Tag = \"2\" Then", "lblAni.Visible = True", "lblAni.Tag = \"0\"",
                "End If" }) },
        { "Text8",
            joined({ "'NOTE: You must consider the Start and End Position Value of lblAni. The "
                     "sample start position value below is 6720 while the stop position value "
                     "is -5880",
                "", "Private Sub Timer9_Timer()", "lblAni.Left = Val(lblAni.Left) - 50",
                "If lblAni.Left = -5880 Then", "lblAni.Left = 6720", "End If", "End Sub" }) },
    };
    for (const auto& row : rows)
        EXPECT_EQ(textOf(row.control), row.expected) << row.control;
}

TEST(Content, QuotedLines)
{
    const struct {
        const char* control;
        std::size_t line; // 1-based
        const char* text;
    } rows[] = {
        // The lines of the long listings that are fixed to the character.
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
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.control) + ":" + std::to_string(row.line));
        const Names lines = linesOf(textOf(row.control));
        ASSERT_LE(row.line, lines.size());
        EXPECT_EQ(lines[row.line - 1], row.text);
    }
}

TEST(Content, ListingLayout)
{
    const struct {
        const char* control;
        std::vector<int> empty;     // lines with no characters
        std::vector<int> continued; // lines ending in " _"
        std::vector<int> indents;   // line, indent pairs; all others start at 0
        const char* wordsInOrder;   // blank-separated, must appear in this order
    } rows[] = {
        { "txtTrans", { 3, 7, 11, 16 }, { 1, 4, 5, 8, 9 }, { 2, 2, 5, 3, 6, 10, 10, 4 },
            "GetWindowLong \"GetWindowLongA\" hWnd nIndex SetWindowLong \"SetWindowLongA\" hWnd "
            "nIndex dwNewLong SetLayeredWindowAttributes hWnd crKey bAlpha dwFlags" },
        { "txtTrabs", { 4, 7, 10, 12, 15, 19, 20, 22, 25, 28, 30 }, {},
            { 5, 4, 6, 4, 8, 4, 9, 4, 11, 4, 13, 4, 23, 4, 24, 4, 26, 4, 27, 4, 29, 4, 31, 4, 32,
                4 },
            "GetWindowLong(Form1.hWnd, lngCurStyle Or WS_EX_LAYERED SetWindowLong "
            "SetLayeredWindowAttributes Form1.hWnd, 0, lngAlpha, LWA_ALPHA" },
        { "txtFade", {}, {}, {}, "Timer2_Timer" },
        { "Text3", {}, { 6, 7, 8, 10, 11 }, {},
            "StretchBlt \"gdi32\" hdc x y nWidth nHeight hSrcDC xSrc ySrc nSrcWidth nSrcHeight "
            "dwRop BitBlt \"gdi32\" hDestDC x y nWidth nHeight hSrcDC xSrc ySrc dwRop" },
        { "Text4", { 20 }, { 24, 25, 26, 27, 30, 31, 32, 33, 36 }, {},
            "Picture1.AutoSize Picture2.AutoSize Picture3.Width Picture3.Height Picture4.Width "
            "Picture4.Height Picture3.Visible Picture1.Visible Picture2.Visible "
            "Picture3.AutoRedraw Picture1.AutoRedraw Picture2.AutoRedraw Picture4.AutoRedraw "
            "Picture1.BorderStyle Picture2.BorderStyle Picture3.BorderStyle "
            "Picture4.BorderStyle StretchBlt Picture3.hdc SRCCOPY StretchBlt Picture3.hdc SRCCOPY "
            "BitBlt Picture4.hdc Picture3.hdc SRCCOPY" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        const std::string_view text = textOf(row.control);
        const Names lines = linesOf(text);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int n = int(i + 1);
            const std::string& line = lines[i];
            ASSERT_EQ(line.empty(), contains(row.empty, n)) << "line " << n;
            ASSERT_EQ(line.ends_with(" _"), contains(row.continued, n)) << "line " << n;
            int expectedIndent = 0;
            for (std::size_t k = 0; k + 1 < row.indents.size(); k += 2)
                if (row.indents[k] == n)
                    expectedIndent = row.indents[k + 1];
            ASSERT_EQ(indentOf(line), expectedIndent) << "line " << n;
            ASSERT_FALSE(line.ends_with(' ')) << "line " << n;
        }
        std::size_t from = 0;
        for (const std::string& word : split(row.wordsInOrder, " ")) {
            from = text.find(word, from);
            ASSERT_NE(from, text.npos) << word;
            from += word.size();
        }
    }
}

// Listings that say the same thing twice must say it the same way.
TEST(Content, RepeatedBlocks)
{
    const Names trabs = linesOf(textOf("txtTrabs"));
    ASSERT_EQ(trabs.size(), 35u);
    EXPECT_EQ(Names(trabs.begin() + 22, trabs.begin() + 31),
        Names(trabs.begin() + 4, trabs.begin() + 13));

    // The two StretchBlt statements differ only in their source box and in where the lines
    // break; the second one's lines 31 and 32 begin with "* ".
    const Names spin = linesOf(textOf("Text4"));
    ASSERT_EQ(spin.size(), 41u);
    EXPECT_TRUE(spin[30].starts_with("* "));
    EXPECT_TRUE(spin[31].starts_with("* "));
    // The statement on five lines from the given one, without its breaks and blanks.
    auto statement = [&](int first) {
        std::string s;
        for (int i = first - 1; i < first + 4; ++i)
            s += spin[i].ends_with(" _") ? spin[i].substr(0, spin[i].size() - 2) : spin[i];
        std::erase_if(s, blank);
        return s;
    };
    std::string front = statement(24);
    EXPECT_NE(front.find("Picture1.hdc"), front.npos);
    EXPECT_EQ(front.find("Picture2"), front.npos);
    for (std::size_t at = front.find("Picture1"); at != front.npos; at = front.find("Picture1"))
        front[at + 7] = '2';
    EXPECT_EQ(statement(30), front);
}

// txtFade climbs from black to white in six steps and back in six.
TEST(Content, FadeRamp)
{
    const char* colours[] = { "&H0&", "&H404040", "&H808080", "&HC0C0C0", "&HE0E0E0", "&HFFFFFF",
        "&HFFFFFF", "&HE0E0E0", "&HC0C0C0", "&H808080", "&H404040", "&H0&" };
    const Names lines = linesOf(textOf("txtFade"));
    ASSERT_EQ(lines.size(), 29u);
    for (int n = 1; n <= 12; ++n) {
        const std::string test = std::string(n == 1 ? "If" : "ElseIf") + " lblTitle.Tag = \""
            + std::to_string(n) + "\" Then";
        ASSERT_EQ(lines[2 * n], test);
        ASSERT_EQ(lines[2 * n + 1], std::string("lblTitle.ForeColor = ") + colours[n - 1]);
    }
}

TEST(Content, Captions)
{
    const std::string headline = "NEW FLASH: VB CRAZE IN THE PHILIPPINES INCREASED TO 30 %!";
    const struct {
        const char* control;
        std::string text;
    } rows[] = {
        // Every panel closes itself; the demonstrations' captions; and the slips the tutorial
        // keeps.
        { "Command1", "Close" },
        { "Command2", "Close" },
        { "Command3", "Close" },
        { "Command4", "Close" },
        { "Command5", "Close" },
        { "Command16", "Close" },
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        const std::optional<std::string_view> text = tutorialText(Fixture::id(row.control));
        ASSERT_TRUE(text.has_value()) << "no text";
        EXPECT_EQ(*text, row.text);
    }
}

// Only the listings span lines; every caption is one line of printable ASCII, given once.
TEST(Content, CaptionsAreSingleLines)
{
    std::set<std::string_view> seen;
    for (const TextEntry& e : tutorialTexts()) {
        const std::string_view name = nameOf(e.control);
        ASSERT_TRUE(seen.insert(name).second) << name;
        const std::string_view text = e.text;
        ASSERT_FALSE(text.empty()) << name;
        if (text.find('\n') != text.npos)
            continue;
        for (char ch : text)
            ASSERT_TRUE(printable(ch)) << name;
        ASSERT_FALSE(blank(text.front()) || blank(text.back())) << name;
    }
}
