#pragma once

#include "engine/MediaEngine.h"

#include <QDialog>

#include <functional>

// The property page of one element: every property it exposes, the read-only ones shown,
// the writable ones editable with a widget of their type (a spin box over the property's
// range, a check box, a list of choices or of flags, a line of text); a change applies at
// once through the page's apply function.
class FilterPropertyPage : public QDialog
{
    Q_OBJECT
public:
    // Takes a value for a property; false when the element refused it.
    using Apply = std::function<bool(const QString &property, const QVariant &value)>;

    // An element of the playing graph, by name: changes go to the running element.
    FilterPropertyPage(MediaEngine &engine, const QString &filterName, QWidget *parent = nullptr);
    // Any element's properties; without an apply function they are only shown.
    FilterPropertyPage(const QString &title, const QList<MediaEngine::FilterProperty> &properties, Apply apply,
                       QWidget *parent = nullptr);

private:
    void build(const QList<MediaEngine::FilterProperty> &properties, const Apply &apply);
};
