#include "tables/TableLayout.h"
