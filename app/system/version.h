#pragma once
// The program's version, written as "App : ver 708" at the head of the report log.
#define APP_VERSION_TEXT "708"
