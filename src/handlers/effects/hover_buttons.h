#pragma once

namespace gd {

class Form1;
struct MouseArgs;

// The image button and the label button react to the pointer; nothing happens on clicks.
void Form_MouseMove(Form1& me, const MouseArgs& args);
void ImgHover_MouseMove(Form1& me, const MouseArgs& args);
void lblButton_MouseMove(Form1& me, const MouseArgs& args);
void Picture7_MouseMove(Form1& me, const MouseArgs& args);

} // namespace gd
