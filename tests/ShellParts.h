#pragma once
// Reaching the main window's components as a user's tools see them: by their object names,
// which the language and settings files use too.

#include "app/MainWindow.h"
#include "ui/ColorSwatch.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>

template <typename T>
T* Part(const QObject& window, const char* name)
{
    return window.findChild<T*>(QLatin1String(name));
}

// The preview window's stored place, as the settings give it to the main window.
inline void SetPreviewPlacement(MainWindow& form, const WindowPlacement& placement)
{
    ProgramSettings values = form.collectSettings();
    values.preview = placement;
    form.applySettings(values);
}
