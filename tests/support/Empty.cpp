// Keeps the test support library non-empty while it holds only headers.
