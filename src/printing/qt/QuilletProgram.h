#pragma once
// The form program: batch PDF output without a window, or one layout opened blank in a preview
// window with print and PDF. See printing/QuilletCommand.h for the command line.

namespace printing {

int QuilletMain(int argc, char** argv);

}  // namespace printing
