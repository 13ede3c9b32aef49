// The form program Quillet, which the program starts with " /L:%d" and offices start from scripts.
#include "printing/qt/QuilletProgram.h"

int main(int argc, char** argv) { return printing::QuilletMain(argc, argv); }
