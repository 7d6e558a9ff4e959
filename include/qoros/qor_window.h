/* QorOS window registry. */
#ifndef QOROS_QOR_WINDOW_H
#define QOROS_QOR_WINDOW_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
