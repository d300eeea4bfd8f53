/* Auto generated file */
unsigned char PIXMINT_xxxx[][5] = 
{
};