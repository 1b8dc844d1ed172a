// The fuzz targets run the data layer without its windows: no message box
// is ever up, so a connection always looks for other writers' commits.
#include "toolkit/app/MessageBox.h"

bool MessageBoxShowing()
{
    return false;
}
