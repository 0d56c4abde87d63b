#include "compiler/frames/label_table.h"
