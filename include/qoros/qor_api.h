/* QorOS programming interface: include this one header for all of it. */
#ifndef QOROS_QOR_API_H
#define QOROS_QOR_API_H

#include "qor_types.h"

#include "qor_disk.h"
#include "qor_event.h"
#include "qor_graphics.h"
#include "qor_hooks.h"
#include "qor_io.h"
#include "qor_log.h"
#include "qor_math.h"
#include "qor_memory.h"
#include "qor_package.h"
#include "qor_process.h"
#include "qor_security.h"
#include "qor_system.h"
#include "qor_terminal.h"
#include "qor_window.h"
#include "qorget.h"

#endif
