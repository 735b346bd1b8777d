#pragma once
#include <string>
#include "ui/platform/UiFonts.h"
#include <QFont>
