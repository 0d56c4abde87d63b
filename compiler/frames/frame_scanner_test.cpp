#include "compiler/frames/frame_scanner.h"
