#include "compiler/frames/frame_compiler.h"
