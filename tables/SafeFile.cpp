#include "tables/SafeFile.h"
