#include "records/record_context.h"

cRecordContext RecordContext;
