// Commands whose windows are not built yet.
#include "app/main.h"

