/* QorOS virtual M: drive. */
#ifndef QOROS_QOR_DISK_H
#define QOROS_QOR_DISK_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
