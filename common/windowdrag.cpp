#include "windowdrag.h"

#include <QWidget>

bool pressStartsWindowDrag(const QWidget *window, const QPoint &windowPos,
                           std::initializer_list<const QWidget *> handles)
{
    for (const QWidget *handle : handles) {
        if (handle && handle->rect().contains(handle->mapFrom(window, windowPos)))
            return true;
    }
    return false;
}
