#include "model/texts.h"

namespace gd {

namespace {

// The code listings, one source line per listing line. They are shown for the reader to copy and
// are never run: where they disagree with the demonstrations (other names, other timers), the
// listing is still the text the tutorial shows.

// clang-format off

// The declarations the fade-in needs, for the "General Declaration (Form1)" section.
constexpr std::string_view kTxtTrans =
    "Private Declare Function GetWindowLong Lib \"user32\" Alias _\r\n"
    "  \"GetWindowLongA\" (ByVal hWnd As Long, ByVal nIndex As Long) As Long\r\n"
    "\r\n"
    "Private Declare Function SetWindowLong Lib \"user32\" Alias _\r\n"
    "   \"SetWindowLongA\" (ByVal hWnd As Long, ByVal nIndex As Long, _\r\n"
    "          ByVal dwNewLong As Long) As Long\r\n"
    "\r\n"
    "Private Declare Function SetLayeredWindowAttributes Lib \"user32\" _\r\n"
    "(ByVal hWnd As Long, ByVal crKey As Byte, ByVal bAlpha As Byte, _\r\n"
    "    ByVal dwFlags As Long) As Long\r\n"
    "\r\n"
    "Const GWL_EXSTYLE = (-20)\r\n"
    "Const WS_EX_LAYERED = &H80000\r\n"
    "Const LWA_COLORKEY = &H1\r\n"
    "Const LWA_ALPHA = &H2\r\n"
    "\r\n"
    "Public lngAlpha As Long\r\n";

// Makes the form layered, then raises its opacity by 2 on every tick up to 250.
constexpr std::string_view kTxtTrabs =
    "Private Sub Form_Load()\r\n"
    "On Error Resume Next\r\n"
    "lngAlpha = 0\r\n"
    "\r\n"
    "    Dim lngCurStyle As Long\r\n"
    "    Dim lngNewStyle As Long\r\n"
    "\r\n"
    "    lngCurStyle = GetWindowLong(Form1.hWnd, GWL_EXSTYLE)\r\n"
    "    lngNewStyle = lngCurStyle Or WS_EX_LAYERED\r\n"
    "\r\n"
    "    SetWindowLong Form1.hWnd, GWL_EXSTYLE, lngNewStyle\r\n"
    "\r\n"
    "    SetLayeredWindowAttributes Form1.hWnd, 0, lngAlpha, LWA_ALPHA\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub Timer1_Timer()\r\n"
    "On Error Resume Next\r\n"
    "txtTrans.Tag = Val(txtTrans.Tag) + 2\r\n"
    "\r\n"
    "\r\n"
    "lngAlpha = txtTrans.Tag\r\n"
    "\r\n"
    "    Dim lngCurStyle As Long\r\n"
    "    Dim lngNewStyle As Long\r\n"
    "\r\n"
    "    lngCurStyle = GetWindowLong(Form1.hWnd, GWL_EXSTYLE)\r\n"
    "    lngNewStyle = lngCurStyle Or WS_EX_LAYERED\r\n"
    "\r\n"
    "    SetWindowLong Form1.hWnd, GWL_EXSTYLE, lngNewStyle\r\n"
    "\r\n"
    "    SetLayeredWindowAttributes Form1.hWnd, 0, lngAlpha, LWA_ALPHA\r\n"
    "    If txtTrans.Tag = \"250\" Then\r\n"
    "Timer1.Enabled = False\r\n"
    "End If\r\n"
    "End Sub\r\n";

// Twelve steps from black to white and back, one per tick.
constexpr std::string_view kTxtFade =
    "Private Sub Timer2_Timer()\r\n"
    "lblTitle.Tag = Val(lblTitle.Tag) + 1\r\n"
    "If lblTitle.Tag = \"1\" Then\r\n"
    "lblTitle.ForeColor = &H0&\r\n"
    "ElseIf lblTitle.Tag = \"2\" Then\r\n"
    "lblTitle.ForeColor = &H404040\r\n"
    "ElseIf lblTitle.Tag = \"3\" Then\r\n"
    "lblTitle.ForeColor = &H808080\r\n"
    "ElseIf lblTitle.Tag = \"4\" Then\r\n"
    "lblTitle.ForeColor = &HC0C0C0\r\n"
    "ElseIf lblTitle.Tag = \"5\" Then\r\n"
    "lblTitle.ForeColor = &HE0E0E0\r\n"
    "ElseIf lblTitle.Tag = \"6\" Then\r\n"
    "lblTitle.ForeColor = &HFFFFFF\r\n"
    "ElseIf lblTitle.Tag = \"7\" Then\r\n"
    "lblTitle.ForeColor = &HFFFFFF\r\n"
    "ElseIf lblTitle.Tag = \"8\" Then\r\n"
    "lblTitle.ForeColor = &HE0E0E0\r\n"
    "ElseIf lblTitle.Tag = \"9\" Then\r\n"
    "lblTitle.ForeColor = &HC0C0C0\r\n"
    "ElseIf lblTitle.Tag = \"10\" Then\r\n"
    "lblTitle.ForeColor = &H808080\r\n"
    "ElseIf lblTitle.Tag = \"11\" Then\r\n"
    "lblTitle.ForeColor = &H404040\r\n"
    "ElseIf lblTitle.Tag = \"12\" Then\r\n"
    "lblTitle.ForeColor = &H0&\r\n"
    "lblTitle.Tag = \"0\"\r\n"
    "End If\r\n"
    "End Sub\r\n";

// The image button: the hover face shows over ImgHover and hides everywhere else.
constexpr std::string_view kText1 =
    "Private Sub Form_MouseMove(Button As Integer, Shift As Integer, X As Single, Y As Single)\r\n"
    "ImgClick.Visible = False\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub ImgHover_MouseMove(Button As Integer, Shift As Integer, X As Single, Y As Single)\r\n"
    "ImgClick.Visible = True\r\n"
    "End Sub\r\n";

// The label button. Line 4 ("lblbutton", no blanks around "=") is the tutorial's own spelling.
constexpr std::string_view kText2 =
    "Private Sub Form_MouseMove(Button As Integer, Shift As Integer, X As Single, Y As Single)\r\n"
    "lblButton.BackColor = vbRed\r\n"
    "lblButton.FontSize = 12\r\n"
    "lblbutton.FontBold=False\r\n"
    "End Sub\r\n"
    "\r\n"
    "\r\n"
    "Private Sub lblButton_MouseMove(Button As Integer, Shift As Integer, X As Single, Y As Single)\r\n"
    "lblButton.BackColor = vbYellow\r\n"
    "lblButton.FontSize = 14\r\n"
    "lblButton.FontBold = True\r\n"
    "End Sub\r\n";

// Declarations of the spinning picture. The listing calls the boxes Picture1 to Picture4.
constexpr std::string_view kText3 =
    "Dim dAngle As Double\r\n"
    "Const NUM_TURNS = 36\r\n"
    "Const PI = 3.14159265358979\r\n"
    "Const CENTER_X = 4000\r\n"
    "Const SRCCOPY = &HCC0020\r\n"
    "Private Declare Function StretchBlt Lib \"gdi32\" (ByVal hdc As Long, ByVal x _\r\n"
    "As Long, ByVal y As Long, ByVal nWidth As Long, ByVal nHeight As Long, ByVal hSrcDC As _\r\n"
    "Long, ByVal xSrc As Long, ByVal ySrc As Long, ByVal nSrcWidth As Long, ByVal _\r\n"
    "nSrcHeight As Long, ByVal dwRop As Long) As Long\r\n"
    "Private Declare Function BitBlt Lib \"gdi32\" (ByVal hDestDC As Long, ByVal x _\r\n"
    "As Long, ByVal y As Long, ByVal nWidth As Long, ByVal nHeight As Long, ByVal hSrcDC As _\r\n"
    "Long, ByVal xSrc As Long, ByVal ySrc As Long, ByVal dwRop As Long) As Long\r\n";

// Squeezes the front or back face into Picture3 by the cosine of the angle, then copies it
// to Picture4.
constexpr std::string_view kText4 =
    "Private Sub Form_Load()\r\n"
    "Picture1.AutoSize = True\r\n"
    "Picture2.AutoSize = True\r\n"
    "Picture3.Width = Picture1.Width\r\n"
    "Picture3.Height = Picture1.Height\r\n"
    "Picture4.Width = Picture1.Width\r\n"
    "Picture4.Height = Picture1.Height\r\n"
    "Picture3.Visible = False\r\n"
    "Picture1.Visible = False\r\n"
    "Picture2.Visible = False\r\n"
    "Picture3.AutoRedraw = True\r\n"
    "Picture1.AutoRedraw = True\r\n"
    "Picture2.AutoRedraw = True\r\n"
    "Picture4.AutoRedraw = True\r\n"
    "Picture1.BorderStyle = 0\r\n"
    "Picture2.BorderStyle = 0\r\n"
    "Picture3.BorderStyle = 0\r\n"
    "Picture4.BorderStyle = 0\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub Timer1_Timer()\r\n"
    "Picture3.Cls\r\n"
    "If Cos(dAngle * PI / 180) >= 0 Then\r\n"
    "Call StretchBlt(Picture3.hdc, (Picture1.Width - Abs(Cos(dAngle * PI / 180)) * _\r\n"
    "Picture1.Width) / (2 * Screen.TwipsPerPixelX), 0, Abs(Cos(dAngle * PI / 180)) * _\r\n"
    "Picture1.Width / Screen.TwipsPerPixelX, Picture1.Height / Screen.TwipsPerPixelY, _\r\n"
    "Picture1.hdc, 0, 0, Picture1.Width / Screen.TwipsPerPixelX, _\r\n"
    "Picture1.Height / Screen.TwipsPerPixelY, SRCCOPY)\r\n"
    "ElseIf Cos(dAngle * PI / 180) < 0 Then\r\n"
    "Call StretchBlt(Picture3.hdc, (Picture2.Width - Abs(Cos(dAngle * PI / 180)) _\r\n"
    "* Picture2.Width) / (2 * Screen.TwipsPerPixelX), 0, Abs(Cos(dAngle * PI / 180)) _\r\n"
    "* Picture2.Width / Screen.TwipsPerPixelX, Picture2.Height / Screen.TwipsPerPixelY, _\r\n"
    "Picture2.hdc, 0, 0, Picture2.Width / Screen.TwipsPerPixelX, _\r\n"
    "Picture2.Height / Screen.TwipsPerPixelY, SRCCOPY)\r\n"
    "End If\r\n"
    "Call BitBlt(Picture4.hdc, 0, 0, Picture3.Width / Screen.TwipsPerPixelX, Picture3.Height / Screen.TwipsPerPixelY, _\r\n"
    "Picture3.hdc, 0, 0, SRCCOPY)\r\n"
    "Picture4.Refresh\r\n"
    "dAngle = dAngle + 360 / NUM_TURNS\r\n"
    "dAngle = dAngle Mod 360\r\n"
    "End Sub\r\n";

// Slides picTrans in from the left. Line 5 keeps its trailing blank.
constexpr std::string_view kText5 =
    "'NOTE: Set the Stop Position and change the value if required. The value set in this sample is 0\r\n"
    "\r\n"
    "Private Sub Timer4_Timer()\r\n"
    "picTrans.Left = Val(picTrans.Left) + 20\r\n"
    "If picTrans.Left >= 0 Then \r\n"
    "Timer4.Enabled = False\r\n"
    "End If\r\n"
    "\r\n"
    "\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub CmdTrans1_Click()\r\n"
    "picTrans.Left = -1200\r\n"
    "Timer4.Enabled = True\r\n"
    "End Sub\r\n";

// Slides picUp in from below. The first line starts "' NOTE", with a blank.
constexpr std::string_view kText6 =
    "' NOTE: Set the Stop Position of this Control if required. In this sample, the stop position value = 0\r\n"
    "\r\n"
    "Private Sub Timer5_Timer()\r\n"
    "picUp.Top = Val(picUp.Top) - 20\r\n"
    "If picUp.Top <= 0 Then\r\n"
    "Timer5.Enabled = False\r\n"
    "End If\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub cmdTrans2_Click()\r\n"
    "picUp.Top = 2500\r\n"
    "Timer5.Enabled = True\r\n"
    "End Sub\r\n";

// The blink. The listing stops at "End If": it has no "End Sub".
constexpr std::string_view kText7 =
    "'NOTE: The Higher the Timer's Value, the faster the Blink\r\n"
    "\r\n"
    "Private Sub Timer8_Timer()\r\n"
    "lblAni.Tag = Val(lblAni.Tag) + 1\r\n"
    "If lblAni.Tag = \"1\" Then\r\n"
    "lblAni.Visible = False\r\n"
    "ElseIf lblAni.Tag = \"2\" Then\r\n"
    "lblAni.Visible = True\r\n"
    "lblAni.Tag = \"0\"\r\n"
    "End If\r\n";

// The ticker.
constexpr std::string_view kText8 =
    "'NOTE: You must consider the Start and End Position Value of lblAni. The sample start position value below is 6720 while the stop position value is -5880\r\n"
    "\r\n"
    "Private Sub Timer9_Timer()\r\n"
    "lblAni.Left = Val(lblAni.Left) - 50\r\n"
    "If lblAni.Left = -5880 Then\r\n"
    "lblAni.Left = 6720\r\n"
    "End If\r\n"
    "End Sub\r\n";
// The blinking label and the ticker show the same headline, and both columns quote it.
constexpr std::string_view kNewsFlash = "NEW FLASH: VB CRAZE IN THE PHILIPPINES INCREASED TO 30 %!";
constexpr std::string_view kNewsFlashStep =
    "Set Caption = \"NEW FLASH: VB CRAZE IN THE PHILIPPINES INCREASED TO 30 %!\"";

constexpr TextEntry kTexts[] = {
    // "Fade In Form"
    { ControlId::Label4,    "HOW TO CREATE A FADE IN FORM" },
    { ControlId::Label1,    "Create a Timer and set Timer1.interval=1" },
    { ControlId::Label2,    "General Declaration (Form1)" },
    { ControlId::txtTrans,  kTxtTrans },
    { ControlId::Label3,    "Form and Timer1 Codes" },
    { ControlId::txtTrabs,  kTxtTrabs },
    { ControlId::Command1,  "Close" },

    // "Fading Caption"
    { ControlId::Label7,    "HOW TO CREATE A FADING CAPTION" },
    { ControlId::Label8,    "Create Timer and a Label. Set Timer's name to Timer2 and label1's name to lblTitle" },
    { ControlId::Label10,   "Set the Timer2.Interval to 100 (Timer2.Interval=100)" },
    { ControlId::Label9,    "Timer2 Codes" },
    { ControlId::txtFade,   kTxtFade },
    { ControlId::Command2,  "Close" },
    { ControlId::lblSample, "VARNOLD SAMPLE" },

    // "Image and Label Buttons"
    { ControlId::Label12,   "HOW TO CREATE AN IMAGE BUTTON AND LABEL BUTTON" },
    { ControlId::Label16,   "Image Button" },
    { ControlId::Label18,   "Create 2 Image Controls" },
    { ControlId::Label19,   "Set Image1's name to \"ImgHover\"" },
    { ControlId::Label20,   "Set Image2's name to \"ImgClick\"" },
    { ControlId::Label21,   "Right Click ImgHover and Click Send to Back" },
    { ControlId::Label22,   "Set ImgClick's Visible = False" },
    { ControlId::Text1,     kText1 },
    { ControlId::Label17,   "Label Button" },
    { ControlId::Label23,   "Create a Label Control and name it lblButton" },
    { ControlId::Label24,   "Set the Following:" },
    { ControlId::Label25,   "Alignment=Center" },
    { ControlId::Label27,   "FontSize = 12" },
    { ControlId::Label26,   "BackColor = vbRed" },
    { ControlId::Label28,   "FontBold = False" },
    { ControlId::Text2,     kText2 },
    { ControlId::Label14,   "Image Button" },
    { ControlId::lblButton, "LOGIN" },
    { ControlId::Label15,   "Label Button" },
    { ControlId::Label13,   "Sample ( Put Your Mouse Curson on Top of the Control)" },
    { ControlId::Command3,  "Close" },

    // "Spinning Image"
    { ControlId::Label29,   "HOW TO CREATE A SPINNING PICTUREBOX" },
    { ControlId::Label32,   "Create 4 PictureBox Controls" },
    { ControlId::Label33,   "Select Same Image to your Picture1 and Picture2" },
    { ControlId::Label34,   "Create a Timer and Set Timer1.Interval=50" },
    { ControlId::Label30,   "General Declaration (Form1)" },
    { ControlId::Text3,     kText3 },
    { ControlId::Label31,   "Form and Timer1 Codes" },
    { ControlId::Text4,     kText4 },
    { ControlId::Command4,  "Close" },
    { ControlId::Label35,   "Picture1" },
    { ControlId::Label36,   "Picture2" },
    { ControlId::Label37,   "Picture3" },
    { ControlId::Label38,   "Picture4" },

    // "Transition Box"
    { ControlId::Label39,   "HOW TO CREATE A TRANSITION BOX" },
    { ControlId::Label41,   "Horizontal Transition" },
    { ControlId::Label42,   "Create a Picture Control and name it \"picTrans\"" },
    { ControlId::Label43,   "Set the picTrans.left= -1200 ' or any value that would hide this control" },
    { ControlId::Label44,   "Create a Timer and name it \"Timer4\"" },
    { ControlId::Label45,   "Set Timer4.enabled=false" },
    { ControlId::Label46,   "Create a Command Button and name it \"cmdTrans1\"" },
    { ControlId::Text5,     kText5 },
    { ControlId::Label40,   "Vertical Transition" },
    { ControlId::Label47,   "Create a Picture Control and name it \"picUp\"" },
    { ControlId::Label48,   "Set the picUp.Top = 2500 ' or any value that would hide this control" },
    { ControlId::Label49,   "Create a Timer and name it \"Timer5\"" },
    { ControlId::Label50,   "Set Timer5.enabled=false" },
    { ControlId::Label51,   "Create a Command Button and name it \"cmdTrans2\"" },
    { ControlId::Text6,     kText6 },
    { ControlId::CmdTrans1, "Horizontal Transition" },
    { ControlId::cmdTrans2, "Vertical Transition" },
    { ControlId::Command6,  "Reset" },
    { ControlId::Command5,  "Close" },

    // "Text Animation". The right column's "lblAni" and "Timer8" are what the tutorial says, slips
    // and all.
    { ControlId::Label52,   "HOW TO CREATE ANIMATED TEXT" },
    { ControlId::Label53,   "Blinking Text" },
    { ControlId::Label55,   "Create a Label Control and name it \"lblAni\"" },
    { ControlId::Label57,   kNewsFlashStep },
    { ControlId::Label60,   "Create a Timer and rename it to \"Timer8\"" },
    { ControlId::Label61,   "Set Timer8.Interval=\"500\"" },
    { ControlId::Text7,     kText7 },
    { ControlId::Label54,   "News Flash Text" },
    { ControlId::Label56,   "Create a Label Control and name it \"lblAni\"" },
    { ControlId::Label59,   kNewsFlashStep },
    { ControlId::Label58,   "Create a Timer and rename it to \"Timer9\"" },
    { ControlId::Label62,   "Set Timer8.Interval=\"1\"" },
    { ControlId::Text8,     kText8 },
    { ControlId::Label63,   "BLINKING TEXT" },
    { ControlId::lblAni,    kNewsFlash },
    { ControlId::Label64,   "NEWS FLASH TEXT" },
    { ControlId::lblAni1,   kNewsFlash },
    { ControlId::Command16, "Close" },
};
// clang-format on

} // namespace

std::span<const TextEntry> tutorialTexts() { return kTexts; }

} // namespace gd
