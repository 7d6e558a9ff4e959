/* QorOS package downloader and mirror sources. */
#ifndef QOROS_QORGET_H
#define QOROS_QORGET_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
