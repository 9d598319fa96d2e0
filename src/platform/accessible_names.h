// accessible_names.h - the names screen readers announce for a window's fields.
#pragma once

class wxWindow;

/**
 * Names each field among window's children (text fields, combo boxes, spin controls, lists) by
 * the label created just before it, and a field with no label before it by its window's caption;
 * the label becomes the field's "labelled by" relation. This is the rule Windows applies by itself
 * (the field's name is the label that precedes it), so windows create each label right before its
 * field, and both systems announce the same. Called again after a window's texts change.
 */
void NameFieldsByLabels(wxWindow* window);
