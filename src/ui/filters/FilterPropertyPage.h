#pragma once

#include <QDialog>

class MediaEngine;

// The property page of one filter in the playing graph: every property the element
// exposes, editable where the element allows it now; changes apply at once.
class FilterPropertyPage : public QDialog
{
    Q_OBJECT
public:
    FilterPropertyPage(MediaEngine &engine, const QString &filterName, QWidget *parent = nullptr);
};
