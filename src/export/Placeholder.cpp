// Bitmap export lives here.
