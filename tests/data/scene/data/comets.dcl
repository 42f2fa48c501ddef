Version: 7.0
Locale: en_us

1P/Halley
