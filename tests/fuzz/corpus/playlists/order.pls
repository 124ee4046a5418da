3[playlist]
File2=b.avi
Length2=3
File1=/abs/a.avi
length1=61
NumberOfEntries=2
Version=2
