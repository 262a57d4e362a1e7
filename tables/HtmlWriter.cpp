#include "tables/HtmlWriter.h"
