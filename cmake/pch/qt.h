// The Qt headers the window layer's sources share.
#pragma once

#include "cmake/pch/std.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
