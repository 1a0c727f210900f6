// Prints what monitor lines decode to; see DecodeTool.h.
#include <cstdio>

#include "DecodeTool.h"

int main(int argc, char** argv) { return velmora::RunDecodeTool(argc, argv, stdin, stdout, stderr); }
