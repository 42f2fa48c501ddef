Version: 7.0 
Locale: en_us 

1P/Halley 
2P/Encke 
9P/Tempel_1 
12P/Pons-Brooks 
17P/Holmes 
19P/Borrelly 
21P/Giacobini-Zinner 
46P/Wirtanen 
55P/Tempel-Tuttle 
67P/Churyumov-Gerasimenko 
81P/Wild_2 
103P/Hartley_2 
109P/Swift-Tuttle 
C/1995_O1_Hale-Bopp 
C/1996_B2_Hyakutake 
C/2020_F3_NEOWISE 
C/2011_W3_Lovejoy 
C/1965_S1-A_Ikeya-Seki 
C/2019_Q4_Borisov 
1I/2017_U1_Oumuamua 
C/2012_S1_ISON 
C/1858_K1_Bruhns 
