#include "compiler/frames/ani_error.h"
