/* QorOS process table and scheduler. */
#ifndef QOROS_QOR_PROCESS_H
#define QOROS_QOR_PROCESS_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
