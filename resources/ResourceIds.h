// Resource identifiers shared by the resource script and the program.
#pragma once

#define IDR_MAIN 128            /* menu, accelerator table and icon */

#define IDS_PRODUCT 60000
#define IDS_CAPTION 60001
#define IDS_NO_COMMAND 60002
#define IDS_MANUAL_PATH 60003
#define IDS_NO_NAME 60300
