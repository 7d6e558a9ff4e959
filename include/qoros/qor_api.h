/* QorOS programming interface: include this one header for all of it. */
#ifndef QOROS_QOR_API_H
#define QOROS_QOR_API_H

#include "qor_types.h"
#include "qor_graphics.h"
#include "qor_package.h"

#endif
