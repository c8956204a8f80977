// "/U": one message box and nothing else. Returns the process exit code.
#pragma once

int RunUpgrade();
