/* QorOS event queue and keyboard state. */
#ifndef QOROS_QOR_EVENT_H
#define QOROS_QOR_EVENT_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
