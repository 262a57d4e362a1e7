// Commands whose windows are not built yet.
#include "app/main.h"

void TForm1::AlignKeyClick() {}
void TForm1::actTablePropExecute() {}
void TForm1::actCellPropExecute() {}
void TForm1::actLinkExecute() {}
