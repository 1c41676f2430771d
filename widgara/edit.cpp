#include "widgara/edit.h"
