Version: 7.0 
Locale: en_us 

Curiosity 
