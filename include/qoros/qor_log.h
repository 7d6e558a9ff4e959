/* QorOS system log and temporary area. */
#ifndef QOROS_QOR_LOG_H
#define QOROS_QOR_LOG_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
