/* QorOS kernel file I/O. */
#ifndef QOROS_QOR_IO_H
#define QOROS_QOR_IO_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
