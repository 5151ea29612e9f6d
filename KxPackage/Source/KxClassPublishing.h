#pragma once
// The package's class publishing, shared by its units: each control's Register() publishes its
// classes (and what they build on) through these and puts the control on its palette page.
// Programs call the controls' Register(); these are the package's own.

// Publishes KxBar and KxBarOrigin (and what they build on) for the form description;
// idempotent.
void PublishKxBarClasses();

// Publishes KxBrick and KxThreeStateAppearance (and what they build on) for the form
// description; idempotent.
void PublishKxBrickClasses();

// Publishes KxBrickTx (and what it builds on) for the form description; idempotent.
void PublishKxBrickTxClasses();

// Publishes KxButton (and what it builds on) for the form description; idempotent.
void PublishKxButtonClasses();

// Publishes KxButtonTx (and what it builds on) for the form description; idempotent.
void PublishKxButtonTxClasses();

// Publishes KxCheckBox and KxChkBoxAppearance (and what they build on) for the form
// description; idempotent.
void PublishKxCheckBoxClasses();

// Publishes KxControl, KxCustomControl, the appearance and the caption colour sets for the
// form description (with the framework's classes); registering again changes nothing.
void PublishKxControlClasses();
