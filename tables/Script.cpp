#include "tables/Script.h"
