#include "compiler/frames/code_buffer.h"
