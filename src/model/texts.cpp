#include "model/texts.h"

namespace gd {

// Ten lines joined by CR LF, none after the last.
std::string_view creditsText()
{
    return "Glimmerdeck\r\n"
           "A free learning program from Quillmoor\r\n"
           "\r\n"
           "Take it apart to learn advanced graphical user interface work for your System Analysis "
           "and Design courses, your thesis and your software development. Please share it with "
           "your fellow Visual Basic programmers. Thank you!\r\n"
           "\r\n"
           "- Varnold\r\n"
           "varnold@quillmoor.example\r\n"
           "hello@quillmoor.example\r\n"
           "\r\n"
           "Baguio City, Philippines";
}

// Nine lines joined by CR LF, none after the last; the last begins with a blank.
std::string_view aboutText()
{
    return "Glimmerdeck\r\n"
           "by Varnold\r\n"
           "hello@quillmoor.example\r\n"
           "\r\n"
           "A free guide for students and programmers\r\n"
           "on how to create GUI on their projects.\r\n"
           "\r\n"
           "For more VB6 Tutorials and Freeware Downloads,\r\n"
           " visit https://www.quillmoor.example";
}

std::string_view aboutTitle() { return "About QUILLMOOR"; }

} // namespace gd
