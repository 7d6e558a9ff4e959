/* QorOS security layer. */
#ifndef QOROS_QOR_SECURITY_H
#define QOROS_QOR_SECURITY_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
