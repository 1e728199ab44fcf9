#include "text/MultiByte.h"

// Outside Windows the program's text is UTF-8, whatever the locale says.
int multibyte::SystemCodePage() {
    return kUtf8;
}
