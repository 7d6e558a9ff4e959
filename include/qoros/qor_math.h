/* QorOS math engine. */
#ifndef QOROS_QOR_MATH_H
#define QOROS_QOR_MATH_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
